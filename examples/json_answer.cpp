// Reads a website's JSON answer and changes it with ff::JsonDocument, a JSON value held
// in an embedded JavaScript engine.
//
//   json_answer_example <link>
//
// The answer is expected to look like
//   {"error":"","fonts":[{"name":"Song","size":1024}]}
#include <iostream>

#include "json/json_document.h"
#include "text/text.h"
#include "web/web.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: json_answer_example <link>\n";
    return 2;
  }
  const ff::Text answer = ff::bytes_to_text(ff::web_request(argv[1]));

  ff::JsonDocument document;
  if (!document.parse(answer)) {
    std::cerr << "json_answer_example: the answer is no JSON value\n";
    return 1;
  }
  std::cout << "error: " << document.get_text("error").view() << '\n'
            << "first font: " << document.get_text("fonts[0].name").view() << '\n';

  // A text member, a JSON member, and one more item at the end of an array.
  document.set_value("checked_by", "json_answer_example");
  document.set_value("source", R"({"link":"fonts.json","cached":false})", true);
  document.add_item(R"({"name":"Hei","size":2048})", "fonts", true);

  std::cout << "fonts: " << document.get_count("fonts") << '\n'
            << "changed: " << document.to_json().view() << '\n';
  return 0;
}

// Signs in to a website and opens a page that needs the session: the cookies the site
// sets in its answer to the login are merged into `cookies` and sent with the next
// request.
//
//   login_example <site> [user] [password]
//   login_example http://127.0.0.1:8080 alice secret
//
// The site answers POST <site>/login (form body "user=...&password=...") with a session
// cookie, and GET <site>/account with the page of the user that cookie names.
#include <iostream>
#include <string>

#include "text/text.h"
#include "web/web.h"

namespace {

void show(std::string_view step, int status, const ff::Bytes& body, const ff::Text& cookies) {
  std::cout << step << ": status " << status << '\n'
            << "  answer:  " << ff::bytes_to_text(body).view() << '\n'
            << "  cookies: " << cookies.view() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: login_example <site> [user] [password]\n";
    return 2;
  }
  const std::string site = argv[1];
  const std::string user = argc > 2 ? argv[2] : "alice";
  const std::string password = argc > 3 ? argv[3] : "secret";

  // Sent with every request; the cookies each answer sets are merged into it (the
  // site's first, then the ones it did not set again).
  ff::Text cookies = "lang=zh-cn";
  int status = 0;

  ff::WebRequestOptions login;
  login.method = ff::method_post;
  login.post_text = "user=" + user + "&password=" + password;  // sent as a form body
  login.cookies = &cookies;
  login.status_code = &status;
  const ff::Bytes welcome = ff::web_request(site + "/login", login);
  show("login", status, welcome, cookies);
  if (status != 200) {
    std::cerr << "login_example: the site refused the login\n";
    return 1;
  }

  ff::WebRequestOptions account;  // a GET
  account.cookies = &cookies;
  account.status_code = &status;
  const ff::Bytes page = ff::web_request(site + "/account", account);
  show("account", status, page, cookies);
  return status == 200 ? 0 : 1;
}

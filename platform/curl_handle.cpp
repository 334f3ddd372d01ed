#include "platform/curl_handle.h"

#include <mutex>

namespace ff {
namespace {

// curl_global_init is not thread-safe on every build of libcurl: run it exactly once.
void initialise_curl_once() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

CurlEasy::CurlEasy() {
  initialise_curl_once();
  handle_.reset(curl_easy_init());
}

bool CurlList::append(const std::string& line) {
  curl_slist* longer = curl_slist_append(list_.get(), line.c_str());
  if (longer == nullptr) return false;
  // On success curl_slist_append answers the same head (or the new one for an empty list).
  list_.release();
  list_.reset(longer);
  return true;
}

CurlUrl::CurlUrl() {
  initialise_curl_once();
  handle_.reset(curl_url());
}

}  // namespace ff

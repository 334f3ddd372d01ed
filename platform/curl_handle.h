#pragma once
// Move-only owners of libcurl handles. Each frees its handle when it ends; none is
// ever copied, so a handle has exactly one owner.

#include <curl/curl.h>

#include <memory>
#include <string>

namespace ff {

// Frees a libcurl handle with the function libcurl pairs with its constructor.
template <auto Free>
struct CurlFree {
  template <typename Handle>
  void operator()(Handle* handle) const { Free(handle); }
};

// An easy handle. Creating one initialises libcurl for the process first (once).
// Reusing one handle for several transfers keeps its connection cache.
class CurlEasy {
 public:
  CurlEasy();  // an empty owner when libcurl cannot create a handle
  [[nodiscard]] CURL* get() const { return handle_.get(); }
  [[nodiscard]] bool is_empty() const { return handle_ == nullptr; }

 private:
  std::unique_ptr<CURL, CurlFree<curl_easy_cleanup>> handle_;
};

// A list of header lines (curl_slist). curl reads it during a transfer, so the list
// must outlive every transfer it was set on.
class CurlList {
 public:
  // Appends a copy of `line`; false when curl cannot allocate it.
  bool append(const std::string& line);
  [[nodiscard]] curl_slist* get() const { return list_.get(); }

 private:
  std::unique_ptr<curl_slist, CurlFree<curl_slist_free_all>> list_;
};

// A parsed URL (CURLU).
class CurlUrl {
 public:
  CurlUrl();
  [[nodiscard]] CURLU* get() const { return handle_.get(); }
  [[nodiscard]] bool is_empty() const { return handle_ == nullptr; }

 private:
  std::unique_ptr<CURLU, CurlFree<curl_url_cleanup>> handle_;
};

}  // namespace ff

#pragma once
// Web access: one synchronous HTTP exchange with headers, cookies, proxies and
// time-outs, and the header, Base64 and cookie helpers it is built from.

#include "web/base64.h"
#include "web/cookies.h"
#include "web/header_names.h"
#include "web/response.h"
#include "web/web_request.h"

#pragma once
// Text, byte, number and array primitives.
//
// Byte-wise:   text_length, text_left, text_right, text_mid, find_substring.
// Double-byte: find_text, find_text_reverse, replace_text, split_text, trim_both and
//              to_upper walk character by character, a lead byte 0x80..0xFF and the
//              byte after it forming one character, so a match never starts on a
//              trail byte. Every result is a new value; no argument is changed.

#include "text/arrays.h"
#include "text/bytes.h"
#include "text/cut.h"
#include "text/numbers.h"
#include "text/rewrite.h"
#include "text/search.h"

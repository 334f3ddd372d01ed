#include "json/helper_script.h"

#include <string>

namespace ff {
namespace {

// The four functions the document's expressions call. For-in loops include inherited
// enumerable members (toJSONString and parseJSON among them), which is why functions
// are skipped wherever members are listed.
//
// get__extend merges member by member: two non-null objects (arrays included) merge
// recursively, a function in the target stays, and every other target member (missing,
// null, string, number, boolean, or an object facing a non-object) takes the source's
// value. An array target gets the source's items appended.
constexpr std::string_view functions = R"js(
function get__nodeValue(str_json, recursion) {
  for (var i in str_json) {
    var a = Object.prototype.toString.call(str_json[i]);
    if (a == '[object Object]' || a == '[object Array]') {
      if (recursion) get__nodeValue(str_json[i], recursion);
    } else if (a == '[object String]' || a == '[object Number]' || a == '[object Boolean]') {
      str_all.push(str_json[i]);
    }
  }
  return str_all;
}
function get__count(c) {
  return Object.prototype.toString.call(c) == '[object Array]' ? c.length : 0;
}
function get__name_All(a) {
  if (Object.prototype.toString.call(a) != '[object Object]') return '';
  var names = [];
  for (var key in a) if (typeof a[key] != 'function') names.push(key);
  return names.join('\r\n');
}
function get__extend(target, source) {
  if (Object.prototype.toString.call(target) == '[object Array]') {
    for (var i = 0; i < source.length; i++) target.push(source[i]);
    return target;
  }
  for (var obj in source) {
    var kind = typeof target[obj], value = source[obj];
    if (kind == 'function') continue;
    if (kind == 'object' && target[obj] !== null && value !== null && typeof value == 'object')
      target[obj] = get__extend(target[obj], value);
    else
      target[obj] = value;
  }
  return target;
}
)js";

// JSON support for engines without it. Each piece is installed only when missing.
//
// stringify writes strings with the short escapes \b \t \n \f \r \" \\ and every other
// character of `escaped` as \u plus four lowercase hex digits; parse first writes the
// characters of `unsafe` as \u escapes (an engine's eval does not take them raw inside a
// string), checks the text's shape with regular expressions and then evaluates it.
constexpr std::string_view json_support = R"js(
if (typeof JSON != 'object') JSON = {};
(function () {
  var kind = function (v) { return Object.prototype.toString.call(v); };
  var own = Object.prototype.hasOwnProperty;
  var two = function (n) { return n < 10 ? '0' + n : '' + n; };
  var hex = function (c) { return '\\u' + ('000' + c.charCodeAt(0).toString(16)).slice(-4); };

  if (typeof Date.prototype.toJSON != 'function') {
    Date.prototype.toJSON = function () {
      if (!isFinite(this.valueOf())) return null;
      return this.getUTCFullYear() + '-' + two(this.getUTCMonth() + 1) + '-' +
          two(this.getUTCDate()) + 'T' + two(this.getUTCHours()) + ':' +
          two(this.getUTCMinutes()) + ':' + two(this.getUTCSeconds()) + 'Z';
    };
    String.prototype.toJSON = Number.prototype.toJSON = Boolean.prototype.toJSON =
        function () { return this.valueOf(); };
  }

  if (typeof JSON.stringify != 'function') {
    var escaped = /[\\"\u0000-\u001f\u007f-\u009f\u00ad\u0600-\u0604\u070f\u17b4\u17b5\u200c-\u200f\u2028-\u202f\u2060-\u206f\ufeff\ufff0-\uffff]/g;
    var short_escapes = {'\b': '\\b', '\t': '\\t', '\n': '\\n', '\f': '\\f', '\r': '\\r',
                         '"': '\\"', '\\': '\\\\'};
    var quote = function (s) {
      return '"' + s.replace(escaped, function (c) {
        return own.call(short_escapes, c) ? short_escapes[c] : hex(c);
      }) + '"';
    };
    JSON.stringify = function (value, replacer, space) {
      var gap = '', names, stack = [];
      if (kind(space) == '[object Number]') {
        for (var width = Math.min(10, Math.floor(Number(space))); gap.length < width;) gap += ' ';
      } else if (kind(space) == '[object String]') {
        gap = String(space).slice(0, 10);
      }
      if (replacer != null && typeof replacer != 'function') {
        if (kind(replacer) != '[object Array]') throw new Error('JSON.stringify');
        names = [];
        for (var r = 0; r < replacer.length; r++) {
          var item = kind(replacer[r]);
          if (item != '[object String]' && item != '[object Number]') continue;
          item = String(replacer[r]);
          for (var seen = 0; seen < names.length && names[seen] !== item; seen++) {}
          if (seen == names.length) names.push(item);
        }
      }
      var write = function (key, holder, indent) {
        var v = holder[key];
        if (v !== null && (typeof v == 'object' || typeof v == 'function') &&
            typeof v.toJSON == 'function') v = v.toJSON(key);
        if (typeof replacer == 'function') v = replacer.call(holder, key, v);
        if (v !== null && typeof v == 'object') {
          var k = kind(v);
          if (k == '[object Number]') v = Number(v);
          else if (k == '[object String]') v = String(v);
          else if (k == '[object Boolean]') v = v.valueOf();
        }
        if (typeof v == 'string') return quote(v);
        if (typeof v == 'number') return isFinite(v) ? String(v) : 'null';
        if (typeof v == 'boolean') return String(v);
        if (typeof v == 'object') return v === null ? 'null' : container(v, indent);
      };
      var container = function (v, indent) {
        for (var s = 0; s < stack.length; s++) {
          if (stack[s] === v) throw new TypeError('JSON.stringify');
        }
        stack.push(v);
        var inner = indent + gap, parts = [], list = kind(v) == '[object Array]', keys = names, i, part;
        if (list) {
          for (i = 0; i < v.length; i++) {
            part = write(String(i), v, inner);
            parts.push(part === undefined ? 'null' : part);
          }
        } else {
          if (!keys) { keys = []; for (i in v) if (own.call(v, i)) keys.push(i); }
          for (i = 0; i < keys.length; i++) {
            part = write(keys[i], v, inner);
            if (part !== undefined) parts.push(quote(keys[i]) + (gap ? ': ' : ':') + part);
          }
        }
        stack.pop();
        var open = list ? '[' : '{', close = list ? ']' : '}';
        if (!parts.length) return open + close;
        if (!gap) return open + parts.join(',') + close;
        return open + '\n' + inner + parts.join(',\n' + inner) + '\n' + indent + close;
      };
      return write('', {'': value}, '');
    };
  }

  if (typeof JSON.parse != 'function') {
    var unsafe = /[\u0000\u00ad\u0600-\u0604\u070f\u17b4\u17b5\u200c-\u200f\u2028-\u202f\u2060-\u206f\ufeff\ufff0-\uffff]/g;
    var escape_sequence = /\\(?:["\\\/bfnrt]|u[0-9a-fA-F]{4})/g;
    var token = /"[^"\\\u0000-\u001f]*"|true|false|null|-?(?:0|[1-9]\d*)(?:\.\d+)?(?:[eE][+\-]?\d+)?(?![\d.eE+\-])/g;
    var opening = /(?:^|:|,)(?:[\t\n\r ]*\[)+/g;
    var shape = /^[\],:{}\t\n\r ]*$/;
    var revive = function (holder, key, reviver) {
      var v = holder[key], keys = [], i;
      if (v !== null && typeof v == 'object') {
        if (kind(v) == '[object Array]') { for (i = 0; i < v.length; i++) keys.push(String(i)); }
        else { for (i in v) if (own.call(v, i)) keys.push(i); }
        for (i = 0; i < keys.length; i++) {
          var revised = revive(v, keys[i], reviver);
          if (revised === undefined) delete v[keys[i]]; else v[keys[i]] = revised;
        }
      }
      return reviver.call(holder, key, v);
    };
    JSON.parse = function (text, reviver) {
      text = String(text).replace(unsafe, hex);
      var valid = shape.test(text.replace(escape_sequence, '@').replace(token, ']').replace(opening, ''));
      var result;
      try {
        if (valid) result = eval('(' + text + ')');
      } catch (e) {
        valid = false;
      }
      if (!valid) throw new SyntaxError('JSON.parse');
      return typeof reviver == 'function' ? revive({'': result}, '', reviver) : result;
    };
  }
})();
if (typeof Object.prototype.toJSONString == 'undefined') {
  Object.prototype.toJSONString = function (filter) { return JSON.stringify(this, filter); };
  Object.prototype.parseJSON = function (filter) { return JSON.parse(this, filter); };
}
)js";

}  // namespace

std::string_view helper_script() {
  static const std::string script = std::string(functions) + std::string(json_support);
  return script;
}

}  // namespace ff

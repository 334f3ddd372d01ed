#!/usr/bin/env bash
# Installs a build into a staging prefix, checks what was installed, builds the
# examples/ project against it with find_package(font-fetch) and runs the examples
# against a loopback website (ff_example_site).
set -euo pipefail

usage="usage: check_examples.sh --build DIR --examples DIR --stage DIR --site PROGRAM \
--version X.Y.Z --generator NAME --cxx COMPILER [--build-type TYPE]"
build_type=""
while (($#)); do
  case $1 in
    --build) build=$2 ;;
    --examples) examples=$2 ;;
    --stage) stage=$2 ;;
    --site) site_program=$2 ;;
    --version) version=$2 ;;
    --generator) generator=$2 ;;
    --cxx) cxx=$2 ;;
    --build-type) build_type=$2 ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
  shift 2
done
for required in build examples stage site_program version generator cxx; do
  [[ -n ${!required:-} ]] || { echo "$usage" >&2; exit 2; }
done

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs a step quietly, showing its output only when it fails.
quietly() {
  local log
  log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    fail "$*"
  fi
  rm -f "$log"
}

prefix=$stage/prefix
rm -rf "$stage"
mkdir -p "$stage"

echo "== staged install into $prefix"
quietly cmake --install "$build" --prefix "$prefix"

[[ $("$prefix/bin/font-fetch" --version) == "font-fetch $version" ]] ||
  fail "the installed font-fetch does not answer --version with $version"
[[ -f $prefix/share/man/man1/font-fetch.1.gz || -f $prefix/share/man/man1/font-fetch.1 ]] ||
  fail "no manual page in share/man/man1"
for header in text/text.h web/web.h json/json_document.h automation/automation.h; do
  [[ -f $prefix/include/font-fetch/$header ]] || fail "$header is not installed"
done
if find "$prefix/include" -name '*test*' | grep -q .; then
  fail "test headers were installed: $(find "$prefix/include" -name '*test*')"
fi

echo "== every installed header compiles on its own"
export cxx prefix
(cd "$prefix/include/font-fetch" && find . -name '*.h' | sed 's|^\./||' | sort) |
  xargs -P"$(nproc)" -I{} sh -c \
    'printf "#include \"%s\"\n" "$1" |
       "$cxx" -std=c++20 -Wall -Wextra -Werror -fsyntax-only -I"$prefix/include/font-fetch" -x c++ - ||
       { echo "FAIL: $1 does not compile on its own" >&2; exit 255; }' _ {}

echo "== examples built with find_package(font-fetch)"
quietly cmake -S "$examples" -B "$stage/examples" -G "$generator" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE="$build_type" -DCMAKE_CXX_FLAGS=-Werror \
  -DCMAKE_PREFIX_PATH="$prefix"
found=$(sed -n 's/^font-fetch_DIR:PATH=//p' "$stage/examples/CMakeCache.txt")
[[ $found == "$prefix/"* ]] || fail "the examples found font-fetch at '$found', not in the stage"
quietly cmake --build "$stage/examples" -j"$(nproc)"

echo "== examples against a loopback website"
port_file=$stage/site.port
"$site_program" "$port_file" &
site=$!
trap 'kill "$site" 2>/dev/null || true; wait "$site" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [[ -s $port_file ]] && break
  kill -0 "$site" 2>/dev/null || fail "the example site ended early"
  sleep 0.1
done
[[ -s $port_file ]] || fail "the example site did not start"
url=http://127.0.0.1:$(<"$port_file")

# Signing in: the session cookie of the login answer must be sent with the second
# request (the site echoes the Cookie header it received), together with the cookie the
# program started with; the cookies kept at the end merge all three.
login_out=$("$stage/examples/login_example" "$url" alice secret) ||
  fail "login_example ended with status $?: $login_out"
printf '%s\n' "$login_out"
session=$(printf '%s\n' "$login_out" | sed -n 's/^  cookies: \(session=[^;]*\);.*/\1/p' | head -n 1)
[[ -n $session ]] || fail "the login answer's session cookie was not kept"
expected=$(cat <<OUT
login: status 200
  answer:  welcome alice
  cookies: $session; lang=zh-cn
account: status 200
  answer:  signed in as alice; cookie header: $session; lang=zh-cn
  cookies: seen=1; $session; lang=zh-cn
OUT
)
[[ $login_out == "$expected" ]] ||
  fail "login_example wrote something else; expected:"$'\n'"$expected"

status=0
refused=$("$stage/examples/login_example" "$url" alice wrong 2>/dev/null) || status=$?
[[ $status == 1 ]] || fail "a refused login ended with status $status, not 1"
[[ $refused == "login: status 401"* ]] || fail "a refused login reported: $refused"

json_out=$("$stage/examples/json_answer_example" "$url/fonts.json") ||
  fail "json_answer_example ended with status $?: $json_out"
printf '%s\n' "$json_out"
expected=$(cat <<'OUT'
error: 
first font: Song
fonts: 2
changed: {"error":"","fonts":[{"name":"Song","size":1024},{"name":"Hei","size":2048}],"checked_by":"json_answer_example","source":{"link":"fonts.json","cached":false}}
OUT
)
[[ $json_out == "$expected" ]] ||
  fail "json_answer_example wrote something else; expected:"$'\n'"$expected"

echo "== all examples passed"

#!/usr/bin/env bash
# Source checks run with the tests: mistakes the compiler does not catch.
set -u
cd "$(dirname "$0")/.."
status=0
# A Latin-1 view of non-ASCII text compares wrong with every Chinese string.
if grep -rnP 'QLatin1(String|Char|StringView)\("[^"]*[^\x00-\x7F]' --include='*.cpp' --include='*.h' \
     common runtime platform programs demo tests; then
  echo "QLatin1String holds non-ASCII text: use QStringLiteral" >&2
  status=1
fi
exit $status

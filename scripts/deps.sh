#!/usr/bin/env bash
# Installs the Debian packages Tessaly needs that are missing; quiet when
# everything is there.  Usage: scripts/deps.sh run|test
set -eu
what=${1:-run}

run_pkgs="qt6-base-dev libqt6opengl6-dev qt6-charts-dev libqt6sql6-sqlite libqt6sql6-psql
  libsqlite3-dev libpq-dev libfreexl-dev libquazip1-qt6-dev
  mdbtools-dev odbc-mdbtools unixodbc-dev tdsodbc libqt6sql6-odbc libshp-dev pxlib-dev
  cmake ninja-build ccache g++ pkg-config fonts-wqy-microhei xdg-utils
  libgtest-dev libbenchmark-dev"
test_pkgs="postgresql xvfb xauth xdotool imagemagick poppler-utils
  libreoffice-calc-nogui libreoffice-writer-nogui"

pkgs=$run_pkgs
[ "$what" = test ] && pkgs="$run_pkgs $test_pkgs"

missing=""
for p in $pkgs; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null

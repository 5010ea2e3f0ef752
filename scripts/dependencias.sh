#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, when any is missing.
set -euo pipefail

pacotes=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev libtinyxml-dev libtinyobjloader-dev libgtest-dev
         libbenchmark-dev libxml2-utils locales fonts-dejavu-core clang libclang-rt-14-dev
         qt6-translations-l10n)
faltando=()
for p in "${pacotes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltando+=("$p")
done
if ((${#faltando[@]})); then
    echo "Instalando: ${faltando[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${faltando[@]}"
fi

# The tests that read and write files also run under the users' locale.
if ! locale -a 2>/dev/null | grep -qi '^pt_BR\.utf-\?8$'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i pt_BR -f UTF-8 pt_BR.UTF-8
fi

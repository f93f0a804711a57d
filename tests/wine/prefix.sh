#!/bin/sh
# Sets up the tests' wine prefix ($WINEPREFIX). wine does not pass QT_QPA_PLATFORM on from Linux,
# so the prefix's own environment gives its programs the offscreen platform.
set -e
# Without Mono and Gecko: the tests need neither, and a display would be asked to install them.
WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot --init
wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null

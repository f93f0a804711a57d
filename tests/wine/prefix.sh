#!/bin/sh
# Sets up the tests' wine prefix ($WINEPREFIX). wine passes no QT_ variables from Linux on, so the
# prefix's own environment gives its programs the offscreen platform.
set -e
wineboot --init
wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null

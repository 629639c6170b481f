#!/usr/bin/env python3
"""Draws the uninstaller's icon and writes it as uninstall.ico beside this script: the setup
program's carton (tools/icons/carton_icon.py), emptied, with a red arrow rising out of it.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "icons"))
import carton_icon  # noqa: E402

ARROW = (214, 48, 40)
ARROW_DARK = (140, 20, 16)


def draw_arrow(fill):
    # A head pointing up out of the carton, and its shaft reaching into it.
    for step in range(7):
        fill(14 - step, 1 + step, 15 + step, 2 + step, ARROW)
    fill(12, 8, 17, 22, ARROW)
    fill(12, 8, 13, 22, ARROW_DARK)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "uninstall.ico"), "wb") as f:
        f.write(carton_icon.icon(draw_arrow, ARROW, ARROW_DARK))

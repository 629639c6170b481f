#!/usr/bin/env python3
"""Draws the setup program's icon and writes it as setup.ico beside this script: the carton of
tools/icons/carton_icon.py with a green arrow pointing down into it.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "icons"))
import carton_icon  # noqa: E402

ARROW = (24, 168, 56)
ARROW_DARK = (8, 96, 24)


def draw_arrow(fill):
    # A shaft and a head pointing into the carton.
    fill(12, 1, 17, 12, ARROW)
    fill(12, 1, 13, 12, ARROW_DARK)
    for step in range(6):
        fill(8 + step, 11 + step, 21 - step, 12 + step, ARROW)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "setup.ico"), "wb") as f:
        f.write(carton_icon.icon(draw_arrow, ARROW, ARROW_DARK))

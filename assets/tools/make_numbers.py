#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes assets/numbers/number_0.svg .. number_36.svg (the lit number cells).

Each picture is 33 x 33 and lies exactly over the dimmed cell of table.svg.
Run from anywhere: python3 assets/tools/make_numbers.py
"""
import os

RED = {1, 3, 5, 7, 9, 12, 14, 16, 18, 19, 21, 23, 25, 27, 30, 32, 34, 36}
FONT = 'font-family="Arial" font-weight="bold"'
LINE = "#f3efe0"

# (top, middle, bottom) of the cell gradient
RED_FILL = ("#e5324b", "#c8102e", "#9c0a22")
BLACK_FILL = ("#3c3d40", "#1a1a1a", "#0c0c0c")
GREEN_FILL = ("#2fc463", "#14a046", "#0a7432")


def gradient(ident, stops):
    top, mid, bottom = stops
    return (f'<linearGradient id="{ident}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}"/>'
            f'<stop offset="0.5" stop-color="{mid}"/>'
            f'<stop offset="1" stop-color="{bottom}"/></linearGradient>')


GLOSS = ('<linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#ffffff" stop-opacity="0.30"/>'
         '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></linearGradient>')


def label(text, cx, baseline):
    return (f'<text x="{cx}" y="{baseline + 0.9}" {FONT} font-size="14" text-anchor="middle" '
            f'fill="#000000" fill-opacity="0.45">{text}</text>'
            f'<text x="{cx}" y="{baseline}" {FONT} font-size="14" text-anchor="middle" '
            f'fill="#ffffff">{text}</text>')


def square_cell(n):
    stops = RED_FILL if n in RED else BLACK_FILL
    return ('<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="33" height="33" viewBox="0 0 33 33">'
            f'<defs>{gradient("face", stops)}{GLOSS}</defs>'
            '<rect x="0" y="0" width="33" height="33" fill="url(#face)"/>'
            '<rect x="2" y="2" width="29" height="13" rx="2" fill="url(#gloss)"/>'
            '<rect x="2.2" y="2.2" width="28.6" height="28.6" fill="none" '
            'stroke="#ffffff" stroke-opacity="0.22" stroke-width="0.8"/>'
            f'<rect x="0.5" y="0.5" width="32" height="32" fill="none" stroke="{LINE}" '
            'stroke-width="1.5"/>'
            f'{label(n, 16.5, 21.5)}</svg>')


def zero_cell():
    # Zero is a rounded pad inside the tall zero field; the corners stay transparent.
    return ('<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="33" height="33" viewBox="0 0 33 33">'
            f'<defs>{gradient("face", GREEN_FILL)}{GLOSS}</defs>'
            '<rect x="3" y="3" width="27" height="27" rx="5" fill="url(#face)"/>'
            '<rect x="4.5" y="4.5" width="24" height="11" rx="3.5" fill="url(#gloss)"/>'
            f'<rect x="3" y="3" width="27" height="27" rx="5" fill="none" stroke="{LINE}" '
            'stroke-width="1.2"/>'
            f'{label(0, 16.5, 21.5)}</svg>')


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "numbers")
    os.makedirs(out, exist_ok=True)
    for n in range(37):
        with open(os.path.join(out, f"number_{n}.svg"), "w", encoding="utf-8") as f:
            svg = zero_cell() if n == 0 else square_cell(n)
            f.write(svg.replace("><", ">\n<") + "\n")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Regenerate Kelvora's icon, button pictures and alarm sound.

Every asset is drawn procedurally here, so the committed files can always be
rebuilt and nobody has to trust a binary blob of unknown origin. The build
uses the committed files and never runs this script.

Usage (from the repository root):

    /usr/bin/python3 resources/make_resources.py           # rewrite resources/
    /usr/bin/python3 resources/make_resources.py --check   # compare, exit 1 on difference

Needs Python 3 with Pillow (Debian: python3-pil, which /usr/bin/python3 sees).
Pillow only encodes PNG and GIF and quantises colours; the shapes are rendered
here from signed distance functions, so the pixels do not depend on Pillow's
drawing code. The PNG bytes do depend on the zlib that Pillow links, so a check
on a very different system may report PNG differences while the pixels match.

Outputs:
    kelvora.ico                 48, 32, 16 px, each at 8 and at 32 bits per pixel
    kelvora-{16,32,48,256}.png  the same picture for the Linux desktop entry
    builtin_go.gif              start picture built into the Linux program
    builtin_stop.gif            stop picture built into the Linux program
    builtin_go.bmp              the same pictures as 24-bit bitmaps, built into
    builtin_stop.bmp            Kelvora.exe: the system reads them without a decoder
    data/button_go.gif          copied to Data/ beside the executable; same
    data/button_stop.gif        bytes as the built-ins, so the button keeps
                                one look before and after the first click
    data/notify.wav             the alarm chime
"""

import argparse
import io
import math
import struct
import sys
import tempfile
import wave
from pathlib import Path

from PIL import Image

RESOURCES_DIR = Path(__file__).resolve().parent

Colour = tuple[int, int, int]


# ---------------------------------------------------------------------------
# Shape rendering
#
# Shapes are signed distance functions in pixel units (negative inside). The
# coverage of a pixel is estimated from the distance at its centre, which gives
# clean antialiasing and leaves edges that lie on pixel boundaries fully sharp:
# the neighbouring centres are exactly half a pixel away, so they get 1 and 0.
# ---------------------------------------------------------------------------


def clamp01(value: float) -> float:
    return min(1.0, max(0.0, value))


def coverage(distance: float) -> float:
    return clamp01(0.5 - distance)


def mix(a: Colour, b: Colour, t: float) -> tuple[float, float, float]:
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def to_byte_colour(colour) -> Colour:
    return tuple(max(0, min(255, int(round(c)))) for c in colour)


def distance_to_segment(px, py, ax, ay, bx, by) -> float:
    ex, ey = bx - ax, by - ay
    t = clamp01(((px - ax) * ex + (py - ay) * ey) / (ex * ex + ey * ey))
    dx, dy = px - (ax + ex * t), py - (ay + ey * t)
    return math.hypot(dx, dy)


def sd_triangle(px, py, a, b, c) -> float:
    edges = ((a, b), (b, c), (c, a))
    distance = min(distance_to_segment(px, py, *p, *q) for p, q in edges)
    # Inside when the point is on the same side of all three edges.
    sides = [(q[0] - p[0]) * (py - p[1]) - (q[1] - p[1]) * (px - p[0]) for p, q in edges]
    inside = all(s >= 0 for s in sides) or all(s <= 0 for s in sides)
    return -distance if inside else distance


def shrink_triangle(a, b, c, inset: float):
    """Move every edge inwards by `inset` (a scaling about the incentre)."""
    la = math.dist(b, c)
    lb = math.dist(c, a)
    lc = math.dist(a, b)
    perimeter = la + lb + lc
    ix = (la * a[0] + lb * b[0] + lc * c[0]) / perimeter
    iy = (la * a[1] + lb * b[1] + lc * c[1]) / perimeter
    area = abs((b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1])) / 2
    inradius = 2 * area / perimeter
    k = (inradius - inset) / inradius
    return tuple((ix + (x - ix) * k, iy + (y - iy) * k) for x, y in (a, b, c))


def sd_rounded_box(px, py, left, top, right, bottom, radius) -> float:
    cx, cy = (left + right) / 2, (top + bottom) / 2
    qx = abs(px - cx) - (right - left) / 2 + radius
    qy = abs(py - cy) - (bottom - top) / 2 + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


# ---------------------------------------------------------------------------
# Application icon: a yellow warning triangle with a dark blue exclamation mark
# ---------------------------------------------------------------------------

ICON_SIZES = (48, 32, 16)
LINUX_ICON_SIZES = (16, 32, 48, 256)

TRIANGLE_TOP_YELLOW = (255, 226, 82)
TRIANGLE_BOTTOM_YELLOW = (250, 186, 10)
TRIANGLE_OUTLINE = (58, 40, 6)
EXCLAMATION_BLUE = (10, 28, 100)


def warning_icon(size: int) -> Image.Image:
    """Render the icon at `size` pixels as RGBA with a transparent background."""
    s = float(size)
    corner_radius = s * 0.09
    # A whole number of pixels keeps the straight base edge sharp.
    outline = float(max(1, round(s / 24)))

    # The base lies on a pixel boundary so that its edge stays sharp.
    margin = max(1, round(s / 24))
    base_y = s - margin
    # Rounding pulls a 60 degree tip in by one radius; start the sharp apex
    # above the margin so the visible tip lands on it.
    apex_y = margin - corner_radius
    height = base_y - apex_y
    half_width = min(height / math.sqrt(3), s / 2 + 0.7 * corner_radius)
    apex = (s / 2, apex_y)
    left = (s / 2 - half_width, base_y)
    right = (s / 2 + half_width, base_y)
    core = shrink_triangle(apex, left, right, corner_radius)

    # The exclamation mark is an even number of pixels wide and centred on
    # the (even) icon width, so its sides fall on pixel boundaries.
    stem_width = 2 * max(1, round(s / 16))
    stem_left = s / 2 - stem_width / 2
    stem_right = s / 2 + stem_width / 2
    stem_top = round(apex_y + height * 0.34)
    stem_bottom = round(apex_y + height * 0.69)
    dot_bottom = round(base_y - outline - max(1.0, s / 16))
    dot_top = dot_bottom - stem_width
    if dot_top <= stem_bottom:  # keep a visible gap at the smallest size
        stem_bottom = dot_top - 1
    mark_radius = 0.0 if size <= 16 else stem_width * 0.3

    image = Image.new("RGBA", (size, size))
    pixels = []
    for y in range(size):
        py = y + 0.5
        fill = mix(TRIANGLE_TOP_YELLOW, TRIANGLE_BOTTOM_YELLOW, clamp01((py - apex_y) / height))
        for x in range(size):
            px = x + 0.5
            edge = sd_triangle(px, py, *core) - corner_radius
            alpha = coverage(edge)
            if alpha == 0.0:
                pixels.append((0, 0, 0, 0))
                continue
            colour = mix(TRIANGLE_OUTLINE, fill, coverage(edge + outline))
            mark = min(
                sd_rounded_box(px, py, stem_left, stem_top, stem_right, stem_bottom, mark_radius),
                sd_rounded_box(px, py, stem_left, dot_top, stem_right, dot_bottom, mark_radius),
            )
            colour = mix(colour, EXCLAMATION_BLUE, coverage(mark))
            pixels.append(to_byte_colour(colour) + (int(round(alpha * 255)),))
    image.putdata(pixels)
    return image


def dib_header(size: int, bits_per_pixel: int, colours_used: int, image_bytes: int) -> bytes:
    # BITMAPINFOHEADER; an icon DIB states twice its height, because the
    # colour rows are followed by the AND mask rows.
    return struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, bits_per_pixel, 0, image_bytes, 0, 0, colours_used, 0
    )


def and_mask(image: Image.Image, opaque) -> bytes:
    """1 bit per pixel, bottom-up, rows padded to 32 bits; 1 means transparent."""
    size = image.width
    row_bytes = (size + 31) // 32 * 4
    rows = []
    for y in reversed(range(size)):
        row = bytearray(row_bytes)
        for x in range(size):
            if not opaque(image.getpixel((x, y))):
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def dib_32bpp(image: Image.Image) -> bytes:
    size = image.width
    colour_rows = []
    for y in reversed(range(size)):
        row = bytearray()
        for x in range(size):
            r, g, b, a = image.getpixel((x, y))
            row += bytes((b, g, r, a))
        colour_rows.append(bytes(row))
    # Alpha-aware Windows ignores the mask; older consumers use it, so it
    # marks every pixel that is not fully transparent as opaque.
    mask = and_mask(image, lambda p: p[3] > 0)
    body = b"".join(colour_rows) + mask
    return dib_header(size, 32, 0, len(body)) + body


def dib_8bpp(image: Image.Image) -> bytes:
    """A 256-colour DIB: hard edges from the alpha, colours quantised by Pillow."""
    size = image.width

    def opaque(p):
        return p[3] >= 128

    # Index 0 stays black for the transparent pixels: with the mask bit set,
    # the screen is ANDed with 1s and XORed with 0, so it shows unchanged.
    # Transparent pixels get a colour of the picture while quantising so that
    # they do not spend a palette entry.
    rgb = Image.new("RGB", image.size)
    rgb.putdata([p[:3] if opaque(p) else TRIANGLE_OUTLINE for p in image.getdata()])
    quantised = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    entries = max(index for _, index in quantised.getcolors(256)) + 1
    palette_rgb = quantised.getpalette()[: entries * 3]
    palette = [(0, 0, 0)] + [tuple(palette_rgb[i : i + 3]) for i in range(0, len(palette_rgb), 3)]
    palette += [(0, 0, 0)] * (256 - len(palette))

    row_bytes = (size + 3) // 4 * 4
    colour_rows = []
    for y in reversed(range(size)):
        row = bytearray(row_bytes)
        for x in range(size):
            if opaque(image.getpixel((x, y))):
                row[x] = quantised.getpixel((x, y)) + 1
        colour_rows.append(bytes(row))
    palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    body = b"".join(colour_rows) + and_mask(image, opaque)
    return dib_header(size, 8, 256, len(body)) + palette_bytes + body


def icon_file(images: dict[int, Image.Image]) -> bytes:
    """ICONDIR, then one ICONDIRENTRY per image, then the DIBs themselves.

    The 32-bit images come first, largest first, so that a reader that simply
    takes the first entry gets the best one.
    """
    entries = []
    for bits in (32, 8):
        for size in ICON_SIZES:
            dib = dib_32bpp(images[size]) if bits == 32 else dib_8bpp(images[size])
            entries.append((size, bits, dib))

    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    data = b""
    for size, bits, dib in entries:
        # Width/height byte 0 would mean 256; colour count 0 means 256 or more.
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(dib), offset)
        data += dib
        offset += len(dib)
    return directory + data


def png_bytes(image: Image.Image) -> bytes:
    out = io.BytesIO()
    image.save(out, format="PNG", optimize=True)
    return out.getvalue()


def verify_icon(ico: bytes) -> None:
    icon = Image.open(io.BytesIO(ico))
    sizes = sorted(icon.info["sizes"])
    expected = sorted((s, s) for s in ICON_SIZES)
    if sizes != expected:
        raise AssertionError(f"icon sizes read back as {sizes}, expected {expected}")
    count = struct.unpack_from("<H", ico, 4)[0]
    depths = sorted(struct.unpack_from("<H", ico, 6 + 16 * i + 6)[0] for i in range(count))
    if depths != [8, 8, 8, 32, 32, 32]:
        raise AssertionError(f"icon depths are {depths}")


# ---------------------------------------------------------------------------
# Button pictures: a light symbol on a raised square, 23 x 24 pixels
#
# The button draws every pixel of pure black as its own face colour, so the
# surround is pure black and nothing inside the square may be.
# ---------------------------------------------------------------------------

BUTTON_WIDTH = 23
BUTTON_HEIGHT = 24
GIF_PALETTE_ENTRIES = 128
MASK_COLOUR = (0, 0, 0)

# The square covers pixels 1..21 in both directions; column and row 22 carry
# its shadow, so the whole button sits centred in the 23 columns.
SQUARE_FIRST = 1
SQUARE_LAST = 21
SQUARE_SHADOW = (34, 34, 44)

BLUE_BUTTON = {
    "highlight": (168, 206, 255),
    "inner_highlight": (104, 156, 244),
    "inner_shade": (22, 56, 156),
    "shade": (6, 22, 92),
    "face_top": (62, 120, 228),
    "face_bottom": (30, 78, 196),
    "symbol": (228, 250, 255),
}

RED_BUTTON = {
    "highlight": (255, 184, 172),
    "inner_highlight": (240, 118, 104),
    "inner_shade": (150, 28, 24),
    "shade": (88, 8, 8),
    "face_top": (226, 72, 60),
    "face_bottom": (186, 36, 30),
    "symbol": (255, 244, 240),
}


def play_symbol(px, py) -> float:
    # The centroid sits at x = 11, a little left of the square's centre (11.5),
    # which makes the triangle look centred: its mass is at the broad side.
    return sd_triangle(px, py, (8.0, 6.0), (8.0, 17.0), (17.0, 11.5))


def stop_symbol(px, py) -> float:
    return sd_rounded_box(px, py, 8.0, 8.0, 15.0, 15.0, 0.6)


def button_face_pixel(x: int, y: int, scheme) -> Colour:
    """Colour of the raised square without its symbol; the mask colour outside it."""
    first, last = SQUARE_FIRST, SQUARE_LAST
    inside = first <= x <= last and first <= y <= last
    if not inside:
        shadow = (x == last + 1 and first < y <= last + 1) or (y == last + 1 and first < x <= last + 1)
        return SQUARE_SHADOW if shadow else MASK_COLOUR
    # Clipped corners soften the square without an antialiased edge, which
    # the black mask could not show anyway.
    if x in (first, last) and y in (first, last):
        return MASK_COLOUR

    ring = min(x - first, y - first, last - x, last - y)
    if ring < 2:
        # Bottom and right edges are drawn last, as a raised border is.
        shaded = x == last - ring or y == last - ring
        if ring == 0:
            return scheme["shade"] if shaded else scheme["highlight"]
        return scheme["inner_shade"] if shaded else scheme["inner_highlight"]
    t = (y - (first + 2)) / (last - first - 4)
    return to_byte_colour(mix(scheme["face_top"], scheme["face_bottom"], t))


def button_picture(scheme, symbol) -> Image.Image:
    image = Image.new("RGB", (BUTTON_WIDTH, BUTTON_HEIGHT))
    pixels = []
    for y in range(BUTTON_HEIGHT):
        for x in range(BUTTON_WIDTH):
            colour = button_face_pixel(x, y, scheme)
            on_face = (
                colour != MASK_COLOUR
                and SQUARE_FIRST + 2 <= x <= SQUARE_LAST - 2
                and SQUARE_FIRST + 2 <= y <= SQUARE_LAST - 2
            )
            if on_face:
                px, py = x + 0.5, y + 0.5
                # A one-pixel drop shadow lifts the symbol off the face.
                shadow = coverage(symbol(px - 1, py - 1)) * 0.45
                colour = mix(colour, (0, 0, 0), shadow)
                colour = to_byte_colour(mix(colour, scheme["symbol"], coverage(symbol(px, py))))
                if colour == MASK_COLOUR:
                    raise AssertionError("the button face must not contain the mask colour")
            pixels.append(colour)
    image.putdata(pixels)
    return image


def gif_bytes(image: Image.Image) -> bytes:
    """GIF89a with a global table of exactly 128 entries and no transparency."""
    colours = []
    for colour in image.getdata():
        if colour not in colours:
            colours.append(colour)
    # The mask colour first, then the others in order of first appearance.
    colours.sort(key=lambda c: c != MASK_COLOUR)
    if len(colours) > GIF_PALETTE_ENTRIES:
        raise AssertionError(f"button uses {len(colours)} colours, more than the GIF table holds")
    index = {colour: i for i, colour in enumerate(colours)}

    indexed = Image.new("P", image.size)
    indexed.putdata([index[c] for c in image.getdata()])
    palette = [c for colour in colours for c in colour]
    palette += [0] * (3 * GIF_PALETTE_ENTRIES - len(palette))
    indexed.putpalette(palette)
    # Pillow writes GIF87a unless told otherwise.
    indexed.info["version"] = b"89a"

    out = io.BytesIO()
    indexed.save(out, format="GIF", optimize=False, interlace=False)
    return out.getvalue()


def verify_button_gif(data: bytes, source: Image.Image) -> None:
    if data[:6] != b"GIF89a":
        raise AssertionError(f"GIF header is {data[:6]!r}")
    packed = data[10]
    table_entries = 2 << (packed & 0x07) if packed & 0x80 else 0
    if table_entries != GIF_PALETTE_ENTRIES:
        raise AssertionError(f"global colour table has {table_entries} entries")
    picture = Image.open(io.BytesIO(data))
    if picture.size != (BUTTON_WIDTH, BUTTON_HEIGHT):
        raise AssertionError(f"GIF reads back as {picture.size}")
    if "transparency" in picture.info:
        raise AssertionError("GIF must not name a transparent colour")
    if list(picture.convert("RGB").getdata()) != list(source.getdata()):
        raise AssertionError("GIF pixels differ from the drawn picture")


def bmp_bytes(image: Image.Image) -> bytes:
    """A 24-bit bottom-up BMP: BITMAPFILEHEADER, BITMAPINFOHEADER, rows padded to 4 bytes."""
    width, height = image.size
    row_bytes = (width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray(row_bytes)
        for x in range(width):
            r, g, b = image.getpixel((x, y))
            row[x * 3 : x * 3 + 3] = bytes((b, g, r))
        rows.append(bytes(row))
    body = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    return struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset) + info + body


def verify_button_bmp(data: bytes, gif: bytes) -> None:
    picture = Image.open(io.BytesIO(data))
    expected = Image.open(io.BytesIO(gif)).convert("RGB")
    if picture.mode != "RGB" or list(picture.getdata()) != list(expected.getdata()):
        raise AssertionError("BMP pixels differ from the GIF")


# ---------------------------------------------------------------------------
# Alarm sound: three soft bell tones rising as a major triad
# ---------------------------------------------------------------------------

SAMPLE_RATE = 44100
CHIME_SECONDS = 1.2
# (start in seconds, fundamental in Hz): C6, E6, G6.
CHIME_NOTES = ((0.00, 1046.50), (0.16, 1318.51), (0.32, 1567.98))
# (frequency ratio, amplitude, decay speed-up): upper partials fade sooner,
# which is what makes a struck bell sound mellow rather than buzzy.
BELL_PARTIALS = ((1.0, 1.0, 1.0), (2.0, 0.28, 1.8), (3.0, 0.08, 2.6), (4.2, 0.04, 3.5))
DECAY_SECONDS = 0.32
ATTACK_SECONDS = 0.004
FADE_OUT_SECONDS = 0.08
PEAK_LEVEL = 0.55  # of full scale: soft, and far from clipping


def chime_samples() -> list[int]:
    count = int(SAMPLE_RATE * CHIME_SECONDS)
    signal = [0.0] * count
    for start, frequency in CHIME_NOTES:
        first = int(start * SAMPLE_RATE)
        for i in range(first, count):
            t = (i - first) / SAMPLE_RATE
            # A short raised-cosine attack avoids a click at each strike.
            envelope = 0.5 - 0.5 * math.cos(math.pi * t / ATTACK_SECONDS) if t < ATTACK_SECONDS else 1.0
            value = 0.0
            for ratio, amplitude, speed_up in BELL_PARTIALS:
                decay = math.exp(-t * speed_up / DECAY_SECONDS)
                value += amplitude * decay * math.sin(2 * math.pi * frequency * ratio * t)
            signal[i] += envelope * value

    # End at exact silence so that the sound stops without a click.
    fade_count = int(FADE_OUT_SECONDS * SAMPLE_RATE)
    for k in range(fade_count):
        signal[count - 1 - k] *= k / fade_count

    scale = PEAK_LEVEL * 32767 / max(abs(v) for v in signal)
    return [int(round(v * scale)) for v in signal]


def wav_bytes(samples: list[int]) -> bytes:
    out = io.BytesIO()
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SAMPLE_RATE)
        w.writeframes(struct.pack(f"<{len(samples)}h", *samples))
    return out.getvalue()


# ---------------------------------------------------------------------------
# Driver
# ---------------------------------------------------------------------------


def build_assets() -> dict[str, bytes]:
    """Every generated file, keyed by its path relative to resources/."""
    assets = {}

    icons = {size: warning_icon(size) for size in LINUX_ICON_SIZES}
    ico = icon_file(icons)
    verify_icon(ico)
    assets["kelvora.ico"] = ico
    for size in LINUX_ICON_SIZES:
        assets[f"kelvora-{size}.png"] = png_bytes(icons[size])

    for name, scheme, symbol in (("go", BLUE_BUTTON, play_symbol), ("stop", RED_BUTTON, stop_symbol)):
        picture = button_picture(scheme, symbol)
        gif = gif_bytes(picture)
        verify_button_gif(gif, picture)
        assets[f"builtin_{name}.gif"] = gif
        bmp = bmp_bytes(Image.open(io.BytesIO(gif)).convert("RGB"))
        verify_button_bmp(bmp, gif)
        assets[f"builtin_{name}.bmp"] = bmp
        assets[f"data/button_{name}.gif"] = gif

    assets["data/notify.wav"] = wav_bytes(chime_samples())
    return assets


def write_assets(assets: dict[str, bytes], root: Path) -> None:
    for name, data in assets.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)


def check_assets(assets: dict[str, bytes], root: Path) -> list[str]:
    """Names of committed files that differ from a fresh build, or are missing."""
    with tempfile.TemporaryDirectory() as scratch:
        # Going through the disk compares exactly what a rewrite would leave.
        write_assets(assets, Path(scratch))
        problems = []
        for name in assets:
            committed = root / name
            if not committed.is_file():
                problems.append(f"{name}: missing")
            elif committed.read_bytes() != (Path(scratch) / name).read_bytes():
                problems.append(f"{name}: differs")
        return problems


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument(
        "--check",
        action="store_true",
        help="regenerate into a temporary folder and compare with the files in resources/",
    )
    args = parser.parse_args()

    assets = build_assets()
    if args.check:
        problems = check_assets(assets, RESOURCES_DIR)
        for problem in problems:
            print(problem, file=sys.stderr)
        if problems:
            return 1
        print(f"all {len(assets)} generated files match")
        return 0

    write_assets(assets, RESOURCES_DIR)
    for name, data in assets.items():
        print(f"{len(data):7d}  {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

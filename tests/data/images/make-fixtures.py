#!/usr/bin/python3
# Writes the committed image fixtures with an encoder independent of ours
# (Pillow, Debian's python3-pil). Run once from this folder; the tests compute
# the same patterns (tests/graphics/ImageFixtures.h) and compare pixels.
from PIL import Image

W, H = 13, 7  # odd sizes exercise row padding


def rgb(x, y):
    return ((x * 37 + y * 11) & 255, (x * 5 + y * 53) & 255, (x * 90 + y * 3) & 255)


def grey(x, y):
    return (x * 19 + y * 31) & 255


def smooth(x, y):  # gentle gradients keep JPEG error small
    return (40 + x * 6, 60 + y * 8, 200 - x * 4 - y * 3)


def make(mode, fn, size=(W, H)):
    im = Image.new(mode, size)
    im.putdata([fn(x, y) for y in range(size[1]) for x in range(size[0])])
    return im


make("1", lambda x, y: 255 if (x + 2 * y) % 3 == 0 else 0).save("pil-1bit.bmp")
make("L", grey).save("pil-grey8.bmp")
pal = make("P", lambda x, y: (x + 3 * y) % 6)
pal.putpalette([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 10, 20, 30])
pal.save("pil-pal8.bmp")
make("RGB", rgb).save("pil-rgb24.bmp")
make("RGBA", lambda x, y: rgb(x, y) + ((x * 20 + y) & 255,)).save("pil-rgba32.bmp")

make("1", lambda x, y: 255 if (x + 2 * y) % 3 == 0 else 0).save("pil-grey1.png")
make("L", grey).save("pil-grey8.png")
make("LA", lambda x, y: (grey(x, y), (x * 20 + y) & 255)).save("pil-greyalpha.png")
make("RGB", rgb).save("pil-rgb.png")
make("RGBA", lambda x, y: rgb(x, y) + ((x * 20 + y) & 255,)).save("pil-rgba.png")
pal.save("pil-pal.png")
pal.save("pil-pal-trns.png", transparency=bytes([255, 128, 0, 255, 255, 7]))
make("I;16", lambda x, y: grey(x, y) * 257 + 99).save("pil-grey16.png")

make("RGB", smooth).save("pil-rgb.jpg", quality=95)
make("L", lambda x, y: 50 + x * 8 + y * 5).save("pil-grey.jpg", quality=95)
make("RGB", smooth).save("pil-progressive.jpg", quality=95, progressive=True)

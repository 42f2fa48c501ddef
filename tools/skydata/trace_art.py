"""Line tracing of a constellation drawing (grey figure on black).

The outline of the figure comes from the contour of its silhouette; the
inner strokes (dark lines drawn inside the figure) are thinned to one pixel
and followed into polylines, so each stroke becomes one line, not two.
"""

import numpy as np
from PIL import Image
from scipy import ndimage
from skimage import measure, morphology

SIMPLIFY_PX = 1.1
MIN_STROKE_PX = 10.0


def load_grey(path):
    im = Image.open(path)
    if im.mode in ("LA", "RGBA"):
        a = np.asarray(im.convert("RGBA"), dtype=float) / 255.0
        grey = a[..., :3].mean(axis=2) * a[..., 3]
    else:
        grey = np.asarray(im.convert("L"), dtype=float) / 255.0
    return grey


def _length(p):
    return float(np.sum(np.hypot(*np.diff(p, axis=0).T))) if len(p) > 1 else 0.0


def _outline(grey):
    smooth = ndimage.gaussian_filter(grey, 1.2)
    inside = smooth > 0.06
    inside = morphology.remove_small_objects(inside, 60)
    inside = ndimage.binary_fill_holes(inside) | inside
    padded = np.pad(inside.astype(float), 1)
    lines = []
    for c in measure.find_contours(ndimage.gaussian_filter(padded, 0.8), 0.5):
        c = c - 1.0
        if _length(c) >= 3 * MIN_STROKE_PX:
            lines.append(measure.approximate_polygon(c, SIMPLIFY_PX))
    return lines, inside


def _skeleton_paths(skel):
    """Pixel chains of a one-pixel skeleton, split at ends and junctions."""
    pts = set(zip(*np.nonzero(skel)))
    nbr = {}
    for (r, c) in pts:
        nbr[(r, c)] = [(r + dr, c + dc) for dr in (-1, 0, 1) for dc in (-1, 0, 1)
                       if (dr or dc) and (r + dr, c + dc) in pts]
    nodes = {p for p, n in nbr.items() if len(n) != 2}
    used = set()
    paths = []

    def walk(a, b):
        path = [a, b]
        prev, cur = a, b
        while cur not in nodes:
            nxt = [q for q in nbr[cur] if q != prev and (cur, q) not in used]
            if not nxt:
                break
            used.add((cur, nxt[0]))
            used.add((nxt[0], cur))
            prev, cur = cur, nxt[0]
            path.append(cur)
            if cur == a:
                break
        return path

    for a in nodes:
        for b in nbr[a]:
            if (a, b) in used:
                continue
            used.add((a, b))
            used.add((b, a))
            paths.append(walk(a, b))
    for a in pts:  # closed loops without any node
        for b in nbr[a]:
            if (a, b) not in used:
                used.add((a, b))
                used.add((b, a))
                paths.append(walk(a, b))
    return [np.array(p, dtype=float) for p in paths]


def _strokes(grey, inside):
    core = ndimage.binary_erosion(inside, iterations=4)
    local = ndimage.gaussian_filter(grey, 5.0)
    dark = (grey < 0.55 * local) & core & (local > 0.08)
    dark = morphology.remove_small_objects(ndimage.binary_closing(dark), 25)
    skel = morphology.skeletonize(dark)
    lines = []
    for p in _skeleton_paths(skel):
        if _length(p) >= MIN_STROKE_PX:
            lines.append(measure.approximate_polygon(p, SIMPLIFY_PX))
    return lines


def trace(path):
    """Polylines (arrays of (row, column) pixel coordinates) and the image size."""
    grey = load_grey(path)
    outline, inside = _outline(grey)
    return outline + _strokes(grey, inside), grey.shape

#!/usr/bin/env python3
"""Prints the golden display lists of display_list_test.cpp.

An independent reading of the drawing rules, written from their description
rather than from the C++ code: the example line (3 conductors, 2 spans) is
built, projected, scaled and clipped here with the same double and float
arithmetic, and each projection's list is printed as C++ initialisers.
"""
import math
import struct

PI = 3.141592653589793


def f32(x):
    return struct.unpack('f', struct.pack('f', x))[0]


# The example line, as the test's project file holds it.
SEGMENT = f32(50)
PHASES = [0, 120, 240]
SUPPORTS = [(100.0, 300.0, 0.0, 90.0), (300.0, 340.0, 10.0, 90.0), (500.0, 300.0, 0.0, 90.0)]
HEIGHTS = [[20, 20, 20], [25, 25, 25], [30, 30, 30]]
ARMS = [[-10, -10, -10], [0, 0, 0], [10, 10, 10]]
SAGS = [[500, 500], [5, 5], [800, 800]]
BOUNDS = dict(x=(150.0, 640.0), y=(250.0, 400.0), z=(0.0, 65.0))


def direction(dx, dy):
    length = math.sqrt(dx * dx + dy * dy)
    if not length > 0:
        return 0.0
    if dx >= 0 and dy >= 0:
        return math.asin(dy / length)
    if dx < 0 and dy >= 0:
        return PI / 2 - math.asin(dx / length)
    if dx < 0 and dy < 0:
        return PI - math.asin(dy / length)
    return 3 * PI / 2 + math.asin(dx / length)


def suspension(k, p):
    x, y, ground, degrees = SUPPORTS[p]
    angle = degrees * (PI / 180)
    arm = f32(ARMS[k][p])
    return (x + arm * math.cos(angle), y + arm * math.sin(angle), f32(f32(ground) + f32(HEIGHTS[k][p])))


def samples(k, s):
    p, q = suspension(k, s), suspension(k, s + 1)
    a = f32(SAGS[k][s])
    if not a > 10:
        return [p, q]
    dx, dy = q[0] - p[0], q[1] - p[1]
    length = math.sqrt(dx * dx + dy * dy)
    azimuth = direction(dx, dy)
    d = (q[2] - p[2]) / a
    e = math.exp(length / a)
    x0 = -a * math.log((math.sqrt((e - 1) * (e - 1) * math.exp(-length / a) + d * d) + d) / (e - 1))
    c0 = p[2] - a * math.cosh(-x0 / a)
    pieces = int(length / SEGMENT)
    points = [(p[0] + math.cos(azimuth) * (i * SEGMENT), p[1] + math.sin(azimuth) * (i * SEGMENT),
               a * math.cosh((i * SEGMENT - x0) / a) + c0) for i in range(pieces + 1)]
    if length != pieces * SEGMENT:
        points.append(q)
    return points


def clip(code, x1, x2, y1, y2):
    def inside(v, low, high):
        return low - 0.00001 < v < high + 0.00001
    while True:
        if inside(x1, 250, 990) and inside(x2, 250, 990) and inside(y1, 40, 690) and inside(y2, 40, 690):
            return (code, int(x1), int(y1), int(x2), int(y2))
        if (x1 < 250 and x2 < 250) or (x1 > 990 and x2 > 990) or (y1 < 40 and y2 < 40) or (y1 > 690 and y2 > 690):
            return None
        if x1 == x2 and y1 == y2:
            return None
        moved = False
        for first in (True, False):
            (ax, ay, bx, by) = (x1, y1, x2, y2) if first else (x2, y2, x1, y1)
            if ax < 250 or ax > 990:
                border = 250 if ax < 250 else 990
                ay = ay + (border - ax) / (bx - ax) * (by - ay)
                ax = border
            elif ay < 40 or ay > 690:
                border = 40 if ay < 40 else 690
                ax = ax + (border - ay) / (by - ay) * (bx - ax)
                ay = border
            else:
                continue
            if first:
                x1, y1 = ax, ay
            else:
                x2, y2 = ax, ay
            moved = True
            break
        assert moved


def display_list(projection):
    hu, hv = projection[0].lower(), projection[1].lower()
    (u_min, u_max), (v_min, v_max) = BOUNDS[hu], BOUNDS[hv]
    index = dict(x=0, y=1, z=2)

    def column(u):
        return (u - u_min) / (u_max - u_min) * 740 + 250

    def row(v):
        return 690 - (v - v_min) / (v_max - v_min) * 650

    out = []

    def segment(code, a, b):
        drawn = clip(code, column(a[0]), column(b[0]), row(a[1]), row(b[1]))
        if drawn:
            out.append(drawn)

    def uv(point):
        return (point[index[hu]], point[index[hv]])

    for k in range(3):
        for p in range(3):
            x, y, ground, _ = SUPPORTS[p]
            point = suspension(k, p)
            if projection == 'XY':
                segment(1000, (point[0], point[1]), (x, y))
            else:
                top = max(suspension(j, p)[2] for j in range(3))
                support_u = (x, y, 0)[index[hu]]
                segment(1000, (uv(point)[0], point[2]), (support_u, point[2]))
                segment(1000, (support_u, f32(ground)), (support_u, top))
        for s in range(2):
            if projection == 'XY':
                segment(PHASES[k], uv(suspension(k, s)), uv(suspension(k, s + 1)))
            else:
                points = samples(k, s)
                for a, b in zip(points, points[1:]):
                    segment(PHASES[k], uv(a), uv(b))
    return out


for projection in ('XY', 'YZ', 'XZ'):
    print(f'// {projection}')
    items = ['{%d, %d, %d, %d, %d}' % s for s in display_list(projection)]
    for i in range(0, len(items), 4):
        print('    ' + ', '.join(items[i:i + 4]) + ',')

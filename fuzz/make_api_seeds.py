#!/usr/bin/env python3
"""Writes the seed inputs of the structured fuzz targets (tick_layout, chart_*) into fuzz/corpus/

Those targets read typed values from their bytes (fuzz/fuzz_input.h); the encoder below writes the
bytes that read back as the values named here, so each seed is a meaningful scenario: a demo-like
chart panned and zoomed, logarithmic and joined layers, cross hairs dragged, extreme ranges, data
sharing; each is written for every chart target, with the operations of the groups it drives. The
operation numbers follow the switch statements of chart_driver.h and the group lists of
chart_*_fuzz.cpp; if those change, the seeds still run, they only mean something else. Run it again
only to change the seeds; the files are committed.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Indexes into the table of special doubles of TFuzzInput::Double.
NAN, INF, NEG_INF, BIG, NEG_BIG, DENORMAL, ONE_E_MINUS_100 = 22, 20, 21, 16, 17, 10, 6


class Input:
    """Bytes that TFuzzInput reads back as the values given."""

    def __init__(self):
        self.data = bytearray()

    def byte(self, v):
        self.data.append(v & 0xFF)

    def bool(self, v):
        self.byte(1 if v else 0)

    def u32(self, v):
        self.data += struct.pack("<I", v & 0xFFFFFFFF)

    def int_in(self, lo, hi, v):
        assert lo <= v <= hi
        self.u32(v - lo)

    def int(self, v):
        if -20 <= v <= 300:
            self.byte(4)
            self.int_in(-20, 300, v)
        elif -70000 <= v <= 70000:
            self.byte(3)
            self.int_in(-70000, 70000, v)
        else:
            self.byte(2)
            self.u32(v)

    def double(self, v):
        if float(v).is_integer() and -1000 <= v <= 1000:
            self.byte(100)
            self.int_in(-1000, 1000, int(v))
        else:
            self.byte(230)
            self.data += struct.pack("<d", float(v))

    def special(self, index):
        self.byte(index)

    def text(self, s):
        raw = s.encode("utf-8")
        self.byte(len(raw))
        self.data += raw

    def enum(self, v):
        self.byte(v)


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))


# --- tick_layout ---

FT_NOFIGS, FT_NUM, FT_TIME, FT_DATETIME, FT_USERTEXT = range(5)
SCT_XB, SCT_XT, SCT_YL, SCT_YR = range(4)


def tick_seed(low, high, min_ticks=3, short=True, log=False, label=FT_NUM, dec=-2, vertical=False,
              user="", inscript="", date_format=None, size=(300, 60), scale_type=SCT_XB):
    """size: the painted scale's length along its axis and its extent across it."""
    i = Input()
    for bound in (low, high):
        if isinstance(bound, tuple):
            i.special(bound[0])
        else:
            i.double(bound)
    i.byte(0)
    i.int_in(0, 10, min_ticks)
    i.bool(short)
    i.bool(log)
    i.enum(label)
    i.byte(0)
    i.int_in(-3, 12, dec)
    i.bool(vertical)
    i.text(user)
    i.text(inscript)
    if date_format is None:
        i.bool(False)
    else:
        i.bool(True)
        time_format, date_sep, time_sep, year_length, month_name, order, for_time = date_format
        i.enum(time_format)
        i.byte(ord(date_sep))
        i.byte(ord(time_sep))
        i.enum(year_length)
        i.bool(month_name)
        i.enum(order)
        i.enum(for_time)
    i.int_in(0, 400, size[0])
    i.int_in(0, 100, size[1])
    i.enum(scale_type)
    for margin in (20, 20, 10, 10):
        i.int_in(-5, 60, margin)
    i.bool(False)  # Transparent
    i.bool(True)  # ShowBaseLine
    i.text("axis")
    i.int_in(-40, 40, -11)
    return i.data


def tick_seeds():
    write("tick_layout", "linear_0_100", tick_seed(0, 100))
    write("tick_layout", "log_1_1000_vertical",
          tick_seed(1, 1000, min_ticks=4, log=True, dec=-3, vertical=True, size=(300, 60), scale_type=SCT_YL))
    write("tick_layout", "time_0_3600", tick_seed(0, 3600, label=FT_TIME, short=False))
    write("tick_layout", "datetime_month_vertical",
          tick_seed(45000, 45031.5, min_ticks=10, label=FT_DATETIME, vertical=True,
                    date_format=(2, "/", ".", 1, False, 2, 3), size=(380, 80), scale_type=SCT_YR))
    write("tick_layout", "datetime_hours",
          tick_seed(45000.25, 45000.75, label=FT_DATETIME, date_format=(0, "-", ":", 2, True, 1, 2),
                    scale_type=SCT_XT))
    write("tick_layout", "user_text_descending",
          tick_seed(40, -60, min_ticks=5, label=FT_USERTEXT, user="Mon|Tue|Wed", inscript="$&%"))
    write("tick_layout", "fixed_step_huge", tick_seed((NEG_BIG,), (BIG,), min_ticks=0, dec=12))
    write("tick_layout", "log_denormal_to_max", tick_seed((DENORMAL,), (BIG,), min_ticks=10, log=True))


# --- chart targets ---

G_RANGES, G_ITEMS, G_AXIS, G_PROPERTIES, G_OVERLAYS, G_CONTROL, G_PAINT, G_COMPARE, G_MOUSE_ACTION, G_SERIES = range(10)

# The groups of each chart target, in the order of its kGroups (fuzz/chart_*_fuzz.cpp).
CHART_TARGETS = {
    "chart_api": [G_RANGES, G_ITEMS, G_AXIS, G_PROPERTIES, G_OVERLAYS, G_CONTROL, G_PAINT, G_SERIES],
    "chart_ranges": [G_RANGES, G_RANGES, G_RANGES, G_AXIS, G_ITEMS],
    "chart_render": [G_ITEMS, G_ITEMS, G_ITEMS, G_AXIS, G_PROPERTIES, G_OVERLAYS, G_RANGES, G_COMPARE,
                     G_PAINT],
    "chart_mouse": [G_CONTROL, G_CONTROL, G_CONTROL, G_CONTROL, G_MOUSE_ACTION, G_RANGES, G_PROPERTIES,
                    G_OVERLAYS, G_ITEMS],
    "chart_series": [G_SERIES, G_SERIES, G_SERIES, G_ITEMS, G_RANGES, G_COMPARE, G_PAINT],
}
MA_PAN, MA_ZOOM, MA_ZOOMWIND, MA_DRAGCROSSH, MA_DRAWMTRACE = 1, 6, 7, 10, 17


class Chart(Input):
    """Chart operations, tracking the control's size for the mouse coordinates. Each operation starts
    with its group; encode() gives the bytes a target reads, without the operations of the groups
    it does not drive."""

    def __init__(self, width=120, height=90, auto_redraw=False, window=True):
        super().__init__()
        self.starts = []  # (group, offset of the group byte)
        self.side(width)
        self.side(height)
        self.width, self.height = width, height
        self.byte(0 if auto_redraw else 255)
        self.bool(window)

    def begin(self, group):
        self.starts.append((group, len(self.data)))
        self.byte(group)

    def encode(self, target):
        groups = CHART_TARGETS[target]
        ends = [start for _, start in self.starts[1:]] + [len(self.data)]
        out = bytearray(self.data[: self.starts[0][1]] if self.starts else self.data)
        for (group, start), end in zip(self.starts, ends):
            if group in groups:
                out.append(groups.index(group))
                out += self.data[start + 1 : end]
        return out

    def side(self, v):
        if v <= 160:
            self.byte(0)
            self.int_in(0, 160, v)
        elif v <= 640:
            self.byte(240)
            self.int_in(0, 640, v)
        else:
            self.byte(255)
            self.int_in(0, 4096, v)

    def layer(self, n):
        self.byte(0)
        self.int_in(1, 16, n)

    def coordinate(self, v, extent):
        if -20 <= v <= extent + 20:
            self.byte(0)
            self.int_in(-20, extent + 20, v)
        else:
            self.byte(255)
            self.int(v)

    def set_layer_range(self, layer, x_low, y_low, x_high, y_high):
        self.begin(G_RANGES)
        self.byte(0)
        self.int_in(-1, 17, layer)
        for v in (x_low, y_low, x_high, y_high):
            self.special(v[0]) if isinstance(v, tuple) else self.double(v)

    def recall_zoom(self, n):
        self.begin(G_RANGES)
        self.byte(3)
        self.int_in(-17, 2, n)

    def confine(self, x_low, y_low, x_high, y_high):
        self.begin(G_RANGES)
        self.byte(4)
        for v in (x_low, y_low, x_high, y_high):
            self.double(v)

    def join_x(self, layer, destination):
        self.begin(G_RANGES)
        self.byte(6)
        self.int_in(0, 17, layer)
        self.int_in(-1, 17, destination)
        self.bool(True)

    def isometric(self, on):
        self.begin(G_RANGES)
        self.byte(7)
        self.bool(on)

    def series(self, count, x0, dx, y0, dy, mark, on_chart=True):
        self.begin(G_ITEMS)
        self.byte(0 if on_chart else 255)  # the second chart from 248 on
        self.byte(3)
        self.int_in(1, 500, count)
        for v in (x0, dx, y0, dy):
            self.double(v)
        self.byte(mark)

    def add_mark(self, mark, x, y):
        self.begin(G_ITEMS)
        self.bool(True)
        self.byte(2)
        self.int(mark)
        self.double(x)
        self.double(y)

    def annotation_mode(self, on):
        self.begin(G_ITEMS)
        self.bool(True)
        self.byte(7)
        self.bool(on)

    def logarithmic_x(self, layer, on):
        self.begin(G_AXIS)
        self.layer(layer)
        self.bool(True)
        self.byte(0)
        self.bool(on)

    def axis_visible(self, layer, x_axis, on):
        self.begin(G_AXIS)
        self.layer(layer)
        self.bool(x_axis)
        self.byte(8)
        self.bool(on)

    def margin(self, side, value):
        self.begin(G_PROPERTIES)
        self.byte(side)
        if -10 <= value <= 300:
            self.byte(0)
            self.int_in(-10, 300, value)
        else:
            self.byte(255)
            self.int(value)

    def shadow(self, width):
        self.begin(G_PROPERTIES)
        self.byte(4)
        self.int(width)

    def grid(self, style):
        self.begin(G_PROPERTIES)
        self.byte(6)
        self.enum(style)

    def mouse_action(self, action):
        self.begin(G_PROPERTIES)
        self.byte(8)
        self.enum(action)
        self.begin(G_MOUSE_ACTION)
        self.enum(action)

    def compare(self, x, y, monochrome=False):
        """The comparison of both renderings, as a group of its own and as a painting operation."""
        for group in (G_COMPARE, G_PAINT):
            self.begin(group)
            if group == G_PAINT:
                self.byte(9)
            self.int_in(-50, 50, x)
            self.int_in(-50, 50, y)
            self.bool(monochrome)

    def cross_hair(self, index, mode, x, y):
        for sub, value in ((2, mode), (0, x), (1, y)):
            self.begin(G_OVERLAYS)
            self.byte(0)
            self.int_in(0, 5, index)
            self.byte(sub)
            self.enum(value) if sub == 2 else self.double(value)

    def label_caption(self, index, text):
        self.begin(G_OVERLAYS)
        self.byte(1)
        self.int_in(0, 51, index)
        self.byte(2)
        self.text(text)

    def background(self, sub):
        self.begin(G_OVERLAYS)
        self.byte(2)
        self.byte(4)
        self.byte(sub)

    def resize(self, width, height):
        self.begin(G_CONTROL)
        self.byte(0)
        self.int(0)
        self.int(0)
        self.side(width)
        self.side(height)
        self.width, self.height = width, height

    def press(self, x, y, button=0, shift=0):
        self.begin(G_CONTROL)
        self.byte(2)
        self.enum(button)
        self.byte(shift)
        self.coordinate(x, self.width)
        self.coordinate(y, self.height)

    def drag(self, points, shift=1 << 3):
        self.begin(G_CONTROL)
        self.byte(3)
        self.byte(shift)
        self.int_in(1, 8, len(points))
        for x, y in points:
            self.coordinate(x, self.width)
            self.coordinate(y, self.height)

    def release(self, x, y, button=0):
        self.begin(G_CONTROL)
        self.byte(4)
        self.enum(button)
        self.byte(0)
        self.coordinate(x, self.width)
        self.coordinate(y, self.height)

    def double_click(self):
        self.begin(G_CONTROL)
        self.byte(5)

    def repaint(self):
        self.begin(G_PAINT)
        self.byte(0)

    def rewrite_items(self, on):
        self.begin(G_PAINT)
        self.byte(2)
        self.bool(on)

    def append_series(self, n, y0, y_step, x=None):
        """n values from y0 in steps of y_step; x the same from x[0] in steps of x[1], else x = 0, 1, ..."""
        self.begin(G_SERIES)
        self.byte(2)
        self.byte(255)
        self.int_in(0, 3000, n)
        self.values(n, y0, y_step)
        self.bool(x is not None)
        if x is not None:
            self.byte(0)
            self.values(n, x[0], x[1])
        else:
            self.double(0)
            self.double(1)

    def values(self, n, start, step):
        self.double(start)
        self.double(step)
        for i in range(n):
            self.byte(128 + 64 * (1 if i % 8 < 5 else -1))  # +step five times, -step three times

    def remove_first(self, n):
        self.begin(G_SERIES)
        self.byte(5)
        self.byte(0)
        self.int_in(-2, 600, n)

    def data_limit(self, n):
        self.begin(G_SERIES)
        self.byte(6)
        self.byte(0)
        self.int_in(-1, 2000, n)

    def typed_item(self, kind, x1, y1, x2, y2, mode=0, tail=()):
        self.begin(G_SERIES)
        self.byte(7)
        for v in (x1, y1, x2, y2):
            self.double(v)
        self.byte(mode)
        self.byte(kind)
        for value in tail:
            self.data += value

    def readout(self, x, y, radius):
        self.begin(G_SERIES)
        self.byte(8)
        self.coordinate(x, self.width)
        self.coordinate(y, self.height)
        self.int_in(-1, 20, radius)

    def share(self, sub, on=None):
        """3: this chart uses the other's data (on) or none; 4: the other uses this one's; 5: this
        one its own (refused); 6: Assign from (on) or to the other; 7: paint the other."""
        self.begin(G_PAINT)
        self.byte(sub)
        if on is not None:
            self.bool(on)


def write_chart(name, chart, tail=b"", targets=CHART_TARGETS):
    for target in targets:
        write(target, name, chart.encode(target) + tail)


def chart_seeds():
    # The demo's chart on a small control: three series, then a pan drag, a zoom drag, a zoom window
    # and history.
    c = Chart()
    c.resize(160, 136)
    c.margin(0, 40)
    c.margin(1, 10)
    c.set_layer_range(1, 0, -60, 300, 110)
    c.series(300, 0, 1, 20, 5, 55)
    c.series(300, 0, 1, -30, 3, 3)
    c.mouse_action(MA_PAN)
    c.press(80, 60)
    c.drag([(84, 64), (100, 68), (120, 40)])
    c.release(120, 40)
    c.mouse_action(MA_ZOOM)
    c.press(80, 60)
    c.drag([(76, 56), (40, 24)])
    c.release(40, 24)
    c.mouse_action(MA_ZOOMWIND)
    c.press(40, 40)
    c.drag([(60, 60), (120, 100)])
    c.release(120, 100)
    c.recall_zoom(-1)
    c.double_click()
    c.repaint()
    c.compare(0, 0)
    c.compare(-7, 13, monochrome=True)
    write_chart("demo_pan_zoom", c)

    # Logarithmic and joined layers, isometric, every item kind through the render event.
    c = Chart()
    c.logarithmic_x(1, True)
    c.set_layer_range(1, 1, -5, 1000, 5)
    c.join_x(2, 1)
    c.axis_visible(2, True, True)
    c.isometric(True)
    c.grid(4)
    c.series(50, 1, 20, 0, 1, 7)
    c.annotation_mode(True)
    c.series(20, 5, 7, 2, -1, 55)
    c.join_x(1, 3)
    c.rewrite_items(True)
    c.repaint()
    # Compared without the handlers that rewrite what is drawn.
    c.compare(3, -4)
    # What the render event reads to rewrite the items it is about to draw.
    write_chart("log_joins_kinds", c, bytes(range(256)) * 3)

    # Cross hairs and labels dragged, a freehand trace.
    c = Chart()
    c.cross_hair(1, 3, 50, 0.5)
    c.label_caption(1, "label\nsecond line")
    c.mouse_action(MA_DRAGCROSSH)
    c.press(60, 45)
    c.drag([(65, 50), (200, -30)])
    c.release(200, -30)
    c.mouse_action(MA_DRAWMTRACE)
    c.press(40, 40)
    c.drag([(45, 42), (50, 36), (55, 40), (60, 32)])
    c.release(60, 32)
    c.repaint()
    write_chart("cross_hairs_trace", c)

    # Ranges at the edges of double, confinement, huge margins, a tall thin chart, a background.
    c = Chart()
    c.set_layer_range(1, (NAN,), (NEG_INF,), (INF,), (BIG,))
    c.set_layer_range(0, (NEG_BIG,), (DENORMAL,), (BIG,), (ONE_E_MINUS_100,))
    c.confine(-10, -10, 10, 10)
    c.set_layer_range(3, -1e300, 5, 1e300, 5)
    c.margin(0, 4096)
    c.margin(2, 100000)
    c.shadow(99)
    c.resize(4096, 30)
    c.background(0)
    c.repaint()
    c.resize(0, 0)
    c.repaint()
    write_chart("extreme_ranges_sizes", c)

    # Data sharing both ways, drawing into a chart that shows another one's data, Assign.
    c = Chart()
    c.share(4, True)
    c.series(100, 0, 0.5, 0, 0.25, 12)
    c.series(10, 0, 1, 0, 1, 20, on_chart=False)
    c.share(3, True)
    c.share(5)
    c.share(6, True)
    c.share(4, False)
    c.share(7)
    c.add_mark(300, 0.5, 0.5)
    c.repaint()
    write_chart("data_sharing", c)

    # A live series: appended in bulk, a kept window that scrolls, the oldest removed, items of other
    # kinds among the points, the readout under the pointer, both renderings compared.
    c = Chart(width=150, height=100)
    c.set_layer_range(1, 0, -20, 3000, 20)
    c.append_series(2000, 0, 0.5)
    c.readout(70, 50, 6)
    c.data_limit(1500)
    c.append_series(700, 3, -0.25, x=(2000, 1))
    c.typed_item(1, 100, -5, 900, 5)  # a rectangle
    c.typed_item(11, 1500, 0, 0, 0, tail=(bytes([3]) + b"abc",))  # a text
    c.remove_first(300)
    c.readout(100, 40, 10)
    c.compare(0, 0)
    c.compare(5, -3)
    write_chart("live_series", c, targets=("chart_api", "chart_series"))


if __name__ == "__main__":
    tick_seeds()
    chart_seeds()

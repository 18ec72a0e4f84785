"""Drives the control's C interface through ctypes, as a scripting host would.

Usage: test_c_api.py LIBVESSANTPLAYER PROBE_COMPONENT
"""
import ctypes
import os
import struct
import sys
import tempfile
import unittest
import zlib

LIBRARY = sys.argv[1] if len(sys.argv) > 1 else "libvessantplayer.so"
PROBE = sys.argv[2] if len(sys.argv) > 2 else ""
del sys.argv[1:]

lib = ctypes.CDLL(LIBRARY)
P, S, Z, I = ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t, ctypes.c_int
INT_P = ctypes.POINTER(ctypes.c_int)
EVENT = ctypes.CFUNCTYPE(None, P, S, S, S)
lib.vessant_create_headless.restype = P
for name, arguments in {
        "create_headless": [I, I, S, Z], "destroy": [P], "set_property": [P, S, S, S, Z],
        "set_property_id": [P, I, S, S, Z], "get_property": [P, S, S, Z], "get_property_id": [P, I, S, Z],
        "get_attrib": [P, S, S, Z], "set_attrib": [P, S, S], "run_frames": [P, I],
        "snapshot_rgba": [P, S, Z, INT_P, INT_P], "snapshot_png": [P, S, S, Z],
        "send_mouse": [P, S, I, I, ctypes.c_uint], "send_key": [P, I, S, ctypes.c_uint],
        "status_message": [P, S, Z], "set_object_event_callback": [P, EVENT, P]}.items():
    getattr(lib, "vessant_" + name).argtypes = arguments


class Control:
    def __init__(self, width=64, height=48):
        error = ctypes.create_string_buffer(256)
        self.handle = lib.vessant_create_headless(width, height, error, len(error))
        if not self.handle:
            raise unittest.SkipTest("no headless OpenGL here: " + error.value.decode())

    def close(self):
        lib.vessant_destroy(self.handle)

    def set(self, name, value):
        error = ctypes.create_string_buffer(256)
        status = lib.vessant_set_property(self.handle, name.encode(), str(value).encode(), error, len(error))
        return status, error.value.decode()

    def get(self, name):
        buffer = ctypes.create_string_buffer(16)  # small on purpose: the call reports the length
        needed = lib.vessant_get_property(self.handle, name.encode(), buffer, len(buffer))
        if needed >= len(buffer):
            buffer = ctypes.create_string_buffer(needed + 1)
            lib.vessant_get_property(self.handle, name.encode(), buffer, len(buffer))
        return needed, buffer.value.decode()

    def attrib(self, name):
        buffer = ctypes.create_string_buffer(65536)
        lib.vessant_get_attrib(self.handle, name.encode(), buffer, len(buffer))
        return buffer.value.decode()

    def frame(self):
        width, height = ctypes.c_int(), ctypes.c_int()
        lib.vessant_snapshot_rgba(self.handle, None, 0, ctypes.byref(width), ctypes.byref(height))
        buffer = ctypes.create_string_buffer(width.value * height.value * 4)
        status = lib.vessant_snapshot_rgba(self.handle, buffer, len(buffer), ctypes.byref(width), ctypes.byref(height))
        return status, width.value, height.value, buffer.raw


class PropertiesAndFrames(unittest.TestCase):
    def setUp(self):
        self.control = Control()

    def tearDown(self):
        self.control.close()

    def test_properties_by_name_and_dispatch_id_and_refused_names(self):
        self.assertEqual(self.control.set("UseContainerBackground", "FALSE"), (0, ""))
        self.assertEqual(self.control.set("BackgroundColor", 255)[0], 0)  # a number arrives as decimal text
        self.assertEqual(self.control.get("BackgroundColor"), (3, "255"))
        value = ctypes.create_string_buffer(32)
        self.assertEqual(lib.vessant_get_property_id(self.control.handle, 25, value, len(value)), 2)
        self.assertEqual(value.value, b"30")
        error = ctypes.create_string_buffer(256)
        self.assertEqual(lib.vessant_set_property_id(self.control.handle, 25, b"60", error, len(error)), 0)
        self.assertEqual(self.control.get("TargetFrameRate")[1], "60")
        status, message = self.control.set("NoSuchProperty", 1)
        self.assertEqual(status, -1)
        self.assertIn("NoSuchProperty", message)
        self.assertEqual(self.control.set("ControlPointer", 1)[0], -1)
        self.assertEqual(self.control.get("Nope")[0], -1)
        self.assertEqual(self.control.set("perspective", "maybe")[0], -1)
        self.assertEqual(lib.vessant_send_mouse(self.control.handle, b"fly", 1, 1, 0), -1)
        self.assertEqual(lib.vessant_send_key(self.control.handle, 1, b"NoSuchKey", 0), -1)
        self.assertEqual(lib.vessant_send_key(self.control.handle, 1, b"a", 0), 0)

    def test_frames_and_snapshots(self):
        self.control.set("UseContainerBackground", 0)
        self.control.set("BackgroundColor", "0x0000FF")
        self.assertEqual(lib.vessant_run_frames(self.control.handle, 3), 0)
        status, width, height, pixels = self.control.frame()
        self.assertEqual((status, width, height), (0, 64, 48))
        self.assertEqual(pixels[:4], b"\x00\x00\xff\xff")
        self.assertEqual(pixels[-4:], b"\x00\x00\xff\xff")
        small = ctypes.create_string_buffer(10)
        self.assertEqual(lib.vessant_snapshot_rgba(self.control.handle, small, len(small), None, None), -1)
        with tempfile.TemporaryDirectory() as directory:
            path = os.path.join(directory, "shot.png")
            error = ctypes.create_string_buffer(256)
            self.assertEqual(lib.vessant_snapshot_png(self.control.handle, path.encode(), error, len(error)), 0)
            with open(path, "rb") as f:
                data = f.read()
            self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
            self.assertEqual(struct.unpack(">II", data[16:24]), (64, 48))
            bad = os.path.join(directory, "missing", "shot.png")
            self.assertEqual(lib.vessant_snapshot_png(self.control.handle, bad.encode(), error, len(error)), -1)
            self.assertIn("missing", error.value.decode())


class LoadedComponent(unittest.TestCase):
    def setUp(self):
        if not PROBE:
            raise unittest.SkipTest("no component given")
        self.cache = tempfile.TemporaryDirectory()
        os.environ["TEMP"] = self.cache.name
        self.control = Control()

    def tearDown(self):
        self.control.close()
        self.cache.cleanup()

    def test_attributes_input_and_events(self):
        self.assertEqual(self.control.attrib("Gauge.Value"), "")  # no component yet
        self.assertEqual(lib.vessant_set_attrib(self.control.handle, b"Gauge.Value", b"7"), 0)
        events = []
        self.callback = EVENT(lambda user, name, initiator, data: events.append((name, initiator, data)))
        lib.vessant_set_object_event_callback(self.control.handle, self.callback, None)
        self.assertEqual(self.control.set("ComponentFileName", PROBE)[0], 0)
        self.assertEqual(lib.vessant_run_frames(self.control.handle, 1), 0)
        log = self.control.attrib("log")
        self.assertIn("SetAttribute Gauge.Value=7", log)  # the pending text was applied
        self.assertEqual(self.control.attrib("Gauge.Value"), "7")
        self.assertEqual(lib.vessant_set_attrib(self.control.handle, b"Gauge.Value", b"3"), 0)
        self.assertEqual(self.control.attrib("Gauge.Value"), "3")
        self.assertEqual(lib.vessant_send_mouse(self.control.handle, b"ldown", 10, 8, 0), 0)
        self.assertEqual(lib.vessant_send_mouse(self.control.handle, b"lup", 10, 8, 0), 0)
        self.assertIn("HandleInput type=0 subtype=0 at=10,40,0.5 button=1", self.control.attrib("log"))
        self.assertEqual(events[0], (b"Input", b"Probe", b"0"))
        message = ctypes.create_string_buffer(256)
        lib.vessant_status_message(self.control.handle, message, len(message))
        self.assertEqual(message.value, b"Loading Component...")

    def test_a_component_that_cannot_be_loaded_is_told_at_once(self):
        status, error = self.control.set("ComponentFileName", "/no/such/lib.so")
        self.assertEqual(status, -1)
        self.assertIn("No such file: /no/such/lib.so", error)
        self.assertEqual(self.control.set("ComponentFileName", PROBE)[0], 0)
        status, error = self.control.set("ClassName", "NullProbe")
        self.assertEqual(status, -1)
        self.assertIn("created no component", error)
        self.assertEqual(self.control.set("ClassName", "ProbeTwin")[0], 0)
        self.assertEqual(self.control.attrib("class"), "ProbeTwin")


if __name__ == "__main__":
    unittest.main(verbosity=2)

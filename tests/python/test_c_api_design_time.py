"""The control's design-time answers through the C interface, as a scripting host asks them:
the script-safety rule table, the container's names and the type information.

Usage: test_c_api_design_time.py LIBVESSANTPLAYER
"""
import ctypes
import json
import unittest

# The library and its common functions, as the other C interface test declares them.
from test_c_api import Control, lib

UINT_P = ctypes.POINTER(ctypes.c_uint)
lib.vessant_get_interface_safety_options.restype = ctypes.c_uint
lib.vessant_get_interface_safety_options.argtypes = [ctypes.c_void_p, ctypes.c_char_p, UINT_P, UINT_P]
lib.vessant_set_interface_safety_options.restype = ctypes.c_uint
lib.vessant_set_interface_safety_options.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_uint, ctypes.c_uint]
lib.vessant_set_host_names.restype = ctypes.c_uint
lib.vessant_set_host_names.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p]
for name in ("vessant_get_host_application", "vessant_get_host_document"):
    getattr(lib, name).argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t]
lib.vessant_describe.argtypes = [ctypes.c_char_p, ctypes.c_size_t]

S_OK, E_NOINTERFACE, E_POINTER, E_FAIL = 0, 0x80004002, 0x80004003, 0x80004005
PERSISTENCE = ("IPersistPropertyBag", "IPersistStreamInit", "IPersistStorage", "IPersistMemory")


class DesignTime(unittest.TestCase):
    def setUp(self):
        self.control = Control()

    def tearDown(self):
        self.control.close()

    def query(self, name, supported=0xDEAD, enabled=0xBEEF):
        s, e = ctypes.c_uint(supported), ctypes.c_uint(enabled)
        code = lib.vessant_get_interface_safety_options(self.control.handle, name, ctypes.byref(s), ctypes.byref(e))
        return code, s.value, e.value

    def request(self, name, mask, enabled):
        return lib.vessant_set_interface_safety_options(self.control.handle, name, mask, enabled)

    def test_the_query_answers_each_row_of_the_table(self):
        self.assertEqual(self.query(b"IDispatch"), (S_OK, 3, 1))
        for name in PERSISTENCE:
            self.assertEqual(self.query(name.encode()), (S_OK, 3, 2), name)
        for name in (b"IOleObject", b"IUnknownThing", b"idispatch", b""):
            self.assertEqual(self.query(name), (E_NOINTERFACE, 3, 0), name)

    def test_the_query_refuses_null_pointers_and_writes_nothing(self):
        s = ctypes.c_uint(7)
        h, p = self.control.handle, ctypes.byref(s)
        for arguments in ((h, b"IDispatch", None, p), (h, b"IDispatch", p, None), (h, None, p, p), (None, b"IDispatch", p, p)):
            self.assertEqual(lib.vessant_get_interface_safety_options(*arguments), E_POINTER, arguments)
        self.assertEqual(s.value, 7)

    def test_the_request_succeeds_only_for_the_interfaces_own_options(self):
        for name in (b"IDispatch", b"IOleObject", b"Nonsense") + tuple(n.encode() for n in PERSISTENCE):
            self.assertEqual(self.request(name, 0, 0), S_OK, name)
        self.assertEqual(self.request(b"IDispatch", 1, 1), S_OK)
        for mask, enabled in ((1, 0), (0, 1), (2, 2), (3, 3), (3, 1), (1, 3)):
            self.assertEqual(self.request(b"IDispatch", mask, enabled), E_FAIL, (mask, enabled))
        for name in PERSISTENCE:
            self.assertEqual(self.request(name.encode(), 2, 2), S_OK, name)
            for mask, enabled in ((1, 1), (2, 0), (3, 2), (3, 3)):
                self.assertEqual(self.request(name.encode(), mask, enabled), E_FAIL, (name, mask, enabled))
        self.assertEqual(self.request(b"IOleObject", 1, 1), E_FAIL)
        self.assertEqual(self.request(b"IOleObject", 2, 2), E_FAIL)
        self.assertEqual(self.request(None, 1, 1), E_POINTER)
        self.assertEqual(lib.vessant_set_interface_safety_options(None, b"IDispatch", 1, 1), E_POINTER)

    def test_the_container_names_are_kept_and_read_back(self):
        handle = self.control.handle

        def read(function):
            small = ctypes.create_string_buffer(4)
            needed = function(handle, small, len(small))
            whole = ctypes.create_string_buffer(needed + 1)
            function(handle, whole, len(whole))
            return needed, small.value.decode(), whole.value.decode()

        self.assertEqual(read(lib.vessant_get_host_application), (0, "", ""))
        self.assertEqual(lib.vessant_set_host_names(handle, "Form Designer ✓".encode(), b"panel.frm"), S_OK)
        self.assertEqual(read(lib.vessant_get_host_application), (len("Form Designer ✓".encode()), "For",
                                                                   "Form Designer ✓"))
        self.assertEqual(read(lib.vessant_get_host_document)[2], "panel.frm")
        self.assertEqual(lib.vessant_set_host_names(handle, b"Shell", None), S_OK)
        self.assertEqual(read(lib.vessant_get_host_document)[2], "")
        self.assertEqual(lib.vessant_set_host_names(None, b"a", b"b"), E_POINTER)
        self.assertEqual(lib.vessant_get_host_application(None, None, 0), -1)

    def test_the_type_information_comes_in_a_buffer_the_caller_sizes(self):
        # What the text holds is checked where it is made; here the call's length protocol.
        needed = lib.vessant_describe(None, 0)
        buffer = ctypes.create_string_buffer(needed + 1)
        self.assertEqual(lib.vessant_describe(buffer, len(buffer)), needed)
        self.assertEqual(json.loads(buffer.value.decode())["library"], "TessaryLib")


if __name__ == "__main__":
    unittest.main(verbosity=2)

#!/usr/bin/env python3
"""scripts/check-layers.py on small source trees: which includes it lets through."""
import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check-layers.py")
spec = importlib.util.spec_from_file_location("check_layers", SCRIPT)
check_layers = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check_layers)

TABLE = """# bottom-up
platform/base
platform/os
platform/display platform/gdiplus
platform/forms
platform/net
ui/core
ui/editors
ui/editors/concrete
app
"""

# Files every tree holds, so that includes resolve.
HEADERS = [
    "platform/base/types.h", "platform/os/user.h", "platform/display/display.h",
    "platform/gdiplus/gdiplus.h", "platform/forms/forms.h", "platform/net/http.h",
    "ui/editors/editor.h", "ui/editors/concrete/label.h", "app/Startup.h",
    "tests/servers/test_servers.h", "tests/platform/os/gdi_test_util.h", "tests/core/util.h",
]


class CheckLayers(unittest.TestCase):
    def run_tree(self, path, text):
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, "cmake"))
            with open(os.path.join(root, "cmake", "layers.txt"), "w") as f:
                f.write(TABLE)
            for h in HEADERS + [path]:
                os.makedirs(os.path.join(root, os.path.dirname(h)), exist_ok=True)
                with open(os.path.join(root, h), "w") as f:
                    f.write(text if h == path else "#pragma once\n")
            return check_layers.check(root)

    def test_includes(self):
        cases = [
            # (file, include line, flagged)
            ("platform/os/user.cpp", '#include "platform/base/types.h"', False),
            ("platform/os/user.cpp", '#include "platform/os/user.h"', False),
            ("platform/os/user.cpp", '#include "user.h"', False),
            ("platform/os/user.cpp", "#include <vector>", False),
            ("platform/forms/app.cpp", '#include "platform/net/http.h"', True),
            ("platform/forms/app.cpp", "  #  include <platform/net/http.h>", True),
            ("platform/forms/app.cpp", '#include "../net/http.h"', True),
            ("platform/display/x.cpp", '#include "platform/gdiplus/gdiplus.h"', True),
            ("platform/os/user.cpp", '#include "platform/display/display.h"', True),
            ("ui/editors/editor.cpp", '#include "ui/editors/concrete/label.h"', True),
            ("ui/editors/concrete/label.cpp", '#include "ui/editors/editor.h"', False),
            ("ui/editors/concrete/label.cpp", '#include "../editor.h"', False),
            ("app/Startup.cpp", '#include "platform/net/http.h"', False),
            ("tests/platform/os/user_test.cpp", '#include "platform/forms/forms.h"', True),
            ("tests/platform/os/user_test.cpp", '#include "gdi_test_util.h"', False),
            ("tests/platform/forms/x_test.cpp", '#include "tests/platform/os/gdi_test_util.h"', False),
            ("tests/platform/os/user_test.cpp", '#include "core/util.h"', True),
            ("tests/platform/forms/x_test.cpp", '#include "servers/test_servers.h"', False),
            ("tests/servers/helper.h", '#include "platform/net/http.h"', False),
            ("tests/e2e/run_test.cpp", '#include "app/Startup.h"', False),
            ("tools/dump.cpp", '#include "app/Startup.h"', False),
        ]
        for path, line, flagged in cases:
            with self.subTest(path=path, line=line):
                problems = self.run_tree(path, "// header\n" + line + "\n")
                self.assertEqual(bool(problems), flagged, problems)
                if flagged:
                    self.assertTrue(problems[0].startswith(path + ":2: "), problems[0])

    def test_the_script_fails_with_a_message_naming_both_layers(self):
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, "cmake"))
            with open(os.path.join(root, "cmake", "layers.txt"), "w") as f:
                f.write(TABLE)
            for h, text in [("platform/net/http.h", "#pragma once\n"),
                            ("platform/forms/app.cpp", '#include "platform/net/http.h"\n')]:
                os.makedirs(os.path.join(root, os.path.dirname(h)), exist_ok=True)
                with open(os.path.join(root, h), "w") as f:
                    f.write(text)
            r = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
            self.assertEqual(r.returncode, 1)
            self.assertIn("platform/forms/app.cpp:1: includes platform/net/http.h: platform/net is above "
                          "platform/forms", r.stderr)
            os.remove(os.path.join(root, "platform/forms/app.cpp"))
            r = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
            self.assertEqual((r.returncode, r.stderr), (0, ""))


if __name__ == "__main__":
    unittest.main()

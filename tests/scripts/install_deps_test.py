#!/usr/bin/env python3
"""scripts/install-deps.sh on the systems it is run on: which it accepts, and what it says."""
import os
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "install-deps.sh")


class InstallDeps(unittest.TestCase):
    def run_on(self, os_release):
        """Runs the script with the given os-release text (None: no file). dpkg-query answers
        "installed" for every package, so an accepted system installs nothing."""
        with tempfile.TemporaryDirectory() as tmp:
            fake_dpkg = os.path.join(tmp, "dpkg-query")
            with open(fake_dpkg, "w") as f:
                f.write("#!/bin/sh\nprintf 'install ok installed'\n")
            os.chmod(fake_dpkg, 0o755)
            release = os.path.join(tmp, "os-release")
            if os_release is not None:
                with open(release, "w") as f:
                    f.write(os_release)
            env = dict(os.environ, QD_OS_RELEASE=release, PATH=tmp + os.pathsep + os.environ["PATH"])
            return subprocess.run(["bash", SCRIPT], env=env, capture_output=True, text=True)

    def test_debian_12_and_newer_are_accepted(self):
        for text in [
            'ID=debian\nVERSION_ID="12"\nPRETTY_NAME="Debian GNU/Linux 12 (bookworm)"\n',
            'ID=debian\nVERSION_ID="13"\nPRETTY_NAME="Debian GNU/Linux 13 (trixie)"\n',
            'ID=debian\nPRETTY_NAME="Debian GNU/Linux trixie/sid"\n',  # testing: no VERSION_ID
        ]:
            with self.subTest(text=text):
                r = self.run_on(text)
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertEqual(r.stderr, "")

    def test_other_systems_stop_with_the_release_needed(self):
        for text, named in [
            ('ID=debian\nVERSION_ID="11"\nPRETTY_NAME="Debian GNU/Linux 11 (bullseye)"\n',
             "Debian GNU/Linux 11 (bullseye)"),
            ('ID=ubuntu\nID_LIKE=debian\nVERSION_ID="22.04"\nPRETTY_NAME="Ubuntu 22.04.4 LTS"\n',
             "Ubuntu 22.04.4 LTS"),
            ('ID=fedora\nVERSION_ID=40\n', "fedora"),
            (None, "os-release is missing"),
        ]:
            with self.subTest(named=named):
                r = self.run_on(text)
                self.assertEqual(r.returncode, 1)
                self.assertIn('needs Debian 12 "bookworm" or newer', r.stderr)
                self.assertIn(named, r.stderr)
                self.assertNotIn("installing", r.stdout)


if __name__ == "__main__":
    unittest.main()

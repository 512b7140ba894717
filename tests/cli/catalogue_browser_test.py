#!/usr/bin/python3
"""The HTML catalogue in a real browser: headless Chromium through WebDriver opens what
tabulist-list --format html wrote for a fixture tree and is checked against the JSON export of
the same tree. Exits 77 (skipped) when no browser or driver can be started.

    catalogue_browser_test.py LISTER"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SKIP = 77
LISTER = sys.argv.pop(1) if len(sys.argv) > 1 else "tabulist-list"

try:
    from selenium import webdriver
    from selenium.common.exceptions import NoAlertPresentException, WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError as error:
    print(f"skipped: python3-selenium is not installed ({error})")
    sys.exit(SKIP)

HOSTILE = ["<img src=x onerror=window.pwned=1>.txt", "<script>window.pwned=2<\\script>.js",
           '"quoted" & <b>bold', "<!-- open comment", "tab\there"]
BAD_UTF8 = b"bad\xff\xfe.txt"
DEEP = "d1/d2/d3/d4"


def make_tree(top):
    """Files of several sizes and dates, a deep folder, hostile and undecodable names, a
    folder that cannot be read and an empty one. The top's own name holds "</script>"."""
    root = os.path.join(top, "<", "script>")
    entries = {
        "alpha.txt": 10, "Beta.DAT": 2000, "gamma": 0, "zeta.bin": 123456,
        "sub/one.txt": 7, "sub/two.txt": 70000, "sub/inner/x.y": 3,
        f"{DEEP}/deep-needle.txt": 42, "d1/top-of-d1.txt": 1,
    }
    entries.update({f"hostile/{name}": len(name) for name in HOSTILE})
    for number, (path, size) in enumerate(sorted(entries.items())):
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as out:
            out.truncate(size)
        os.utime(full, (1_600_000_000 + number * 86_400 * 40,) * 2)
    with open(os.path.join(os.fsencode(root), b"hostile", BAD_UTF8), "wb") as out:
        out.write(b"x")
    os.makedirs(os.path.join(root, "empty"))
    os.makedirs(os.path.join(root, "locked", "inside"))
    for folder, _, _ in os.walk(top):
        os.chmod(folder, 0o755)
    os.chmod(os.path.join(root, "locked"), 0)
    return root


def drop_privileges():
    # As root every folder can be read; the unreadable one needs an ordinary user.
    if os.geteuid() == 0:
        os.setgid(65534)
        os.setuid(65534)


def list_tree(root, fmt, *options):
    run = subprocess.run([LISTER, "--recursive", "--format", fmt, *options, root],
                         capture_output=True, preexec_fn=drop_privileges, check=False)
    if run.returncode not in (0, 1):  # 1: a folder could not be read
        raise AssertionError(f"{fmt}: exit {run.returncode}: {run.stderr.decode()}")
    return run.stdout


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     f"--user-data-dir={profile}", "--window-size=1280,2000"]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = shutil.which("chromedriver") or "/usr/bin/chromedriver"
    return webdriver.Chrome(service=Service(driver), options=options)


# The rows on screen of a list, top to bottom, as their cells' texts.
ROWS_JS = """
const rows = [...document.getElementById(arguments[0]).querySelectorAll('.row')]
    .filter((r) => getComputedStyle(r).display !== 'none');
const y = (r) => new DOMMatrix(getComputedStyle(r).transform).m42;
rows.sort((a, b) => y(a) - y(b));
return rows.map((r) => [...r.children].map((c) => c.textContent)
    .concat([r.classList.contains('mark') ? 'marked' : '']));
"""


class Catalogue(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.top = tempfile.mkdtemp(prefix="catalogue-")
        cls.root = make_tree(cls.top)
        cls.entries = json.loads(list_tree(cls.root, "json"))
        cls.page = os.path.join(cls.top, "catalogue.html")
        with open(cls.page, "wb") as out:
            out.write(list_tree(cls.root, "html"))
        cls.url = "file://" + cls.page
        try:
            cls.browser = start_browser(os.path.join(cls.top, "profile"))
        except WebDriverException as error:
            shutil.rmtree(cls.top, ignore_errors=True)
            raise unittest.SkipTest(f"no browser could be started: {error.msg}")

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        os.chmod(os.path.join(cls.root, "locked"), 0o755)
        shutil.rmtree(cls.top, ignore_errors=True)

    def open(self, fragment=""):
        self.browser.get(self.url + fragment)
        WebDriverWait(self.browser, 10).until(
            lambda b: b.execute_script("return !document.getElementById('loading')"))

    def rows(self, view="rows"):
        return self.browser.execute_script(ROWS_JS, view)

    def crumbs(self):
        return [b.text for b in self.browser.find_elements(By.CSS_SELECTOR, "#crumbs button")]

    def expected_rows(self, folder):
        def shown(e):
            size = "" if e["type"] == "directory" else str(e["size"])
            return [e["name"], e["attributes"], size, e["modified"][:19].replace("T", " ")]
        return [shown(e) for e in self.entries if e["folder"] == folder]

    def test_walking_the_tree_by_keyboard_shows_each_folder_as_the_json_export(self):
        self.open()
        tree = self.browser.find_element(By.ID, "tree")
        tree.click()
        tree.send_keys(Keys.HOME)
        seen = {}
        while True:
            tree.send_keys(Keys.ENTER)
            path = "/".join(self.crumbs()[1:]) or "."
            seen[path] = [r[:4] for r in self.rows()]
            node = tree.get_attribute("aria-activedescendant")
            tree.send_keys(Keys.ARROW_RIGHT)  # opens a closed node, or goes to its first child
            if tree.get_attribute("aria-activedescendant") == node:
                tree.send_keys(Keys.ARROW_DOWN)
            if tree.get_attribute("aria-activedescendant") == node:
                break
        folders = {e["folder"] for e in self.entries} | {"empty", "locked"}
        self.assertEqual(set(seen), folders)
        digits = lambda text: "".join(c for c in text if c.isdigit())
        for folder in folders:
            got = [[digits(c) if i == 2 else c for i, c in enumerate(row)] for row in seen[folder]]
            self.assertEqual(got, self.expected_rows(folder), folder)
        self.assertIn("bad\ufffd\ufffd.txt", [r[0] for r in seen["hostile"]])
        # End and Home reach the last and first nodes; Left goes back to the parent.
        tree.send_keys(Keys.END)
        self.assertNotEqual(tree.get_attribute("aria-activedescendant"), "node-0")
        tree.send_keys(Keys.HOME)
        self.assertEqual(tree.get_attribute("aria-activedescendant"), "node-0")

    def test_filters_order_and_depth_are_the_listings(self):
        options = ["--sort", "size", "--reverse", "--depth", "1", "--mask", "*.txt"]
        entries = json.loads(list_tree(self.root, "json", *options))
        page = os.path.join(self.top, "options.html")
        with open(page, "wb") as out:
            out.write(list_tree(self.root, "html", *options))
        self.browser.get("file://" + page + "#/d1/d2")
        # d2 lies below the depth listed: the nearest folder there is opens instead.
        self.assertEqual(self.crumbs()[1:], ["d1"])
        self.assertEqual(self.browser.execute_script("return location.hash"), "#/d1")
        self.assertEqual([r[0] for r in self.rows()],
                         [e["name"] for e in entries if e["folder"] == "d1"])
        self.browser.find_element(By.CSS_SELECTOR, "#crumbs button").click()
        self.assertEqual([r[0] for r in self.rows()],
                         [e["name"] for e in entries if e["folder"] == "."])

    def test_unreadable_folder_is_marked_with_its_message(self):
        if os.geteuid() != 0 and os.access(os.path.join(self.root, "locked"), os.R_OK):
            self.skipTest("the locked folder can be read here")
        self.open("#/locked")
        node = self.browser.find_element(By.CSS_SELECTOR, ".node.current")
        self.assertIn("cannot be read", node.text)
        self.assertTrue(node.get_attribute("title"))
        problem = self.browser.find_element(By.ID, "problem")
        self.assertTrue(problem.is_displayed())
        self.assertIn(node.get_attribute("title"), problem.text)

    def test_sorting_by_size_then_reversing(self):
        self.open()
        header = self.browser.find_elements(By.CSS_SELECTOR, "#columns button")[2]
        listed = [r[:4] for r in self.rows()]
        size = lambda row: int("0" + "".join(c for c in row[2] if c.isdigit()))
        header.click()
        ascending = [r[:4] for r in self.rows()]
        self.assertEqual(ascending, sorted(listed, key=size))
        header.click()
        self.assertEqual([r[:4] for r in self.rows()], sorted(listed, key=size, reverse=True))
        header.click()
        self.assertEqual([r[:4] for r in self.rows()], listed)

    def test_search_finds_a_deep_name_by_part_and_mask_and_opens_its_folder(self):
        self.open()
        search = self.browser.find_element(By.ID, "search")
        undotted = sum("." not in e["name"] for e in self.entries)
        for text, found in [("NEEDLE", "1 entry found."), ("deep-*.TXT", "1 entry found."),
                            ("?eep-needle.*", "1 entry found."), ("no such name", "Nothing found."),
                            ("*.*", f"{len(self.entries)} entries found."),
                            ("*.", f"{undotted} entries found.")]:
            search.clear()
            search.send_keys(text)
            WebDriverWait(self.browser, 5).until(lambda b: b.execute_script(
                "return document.getElementById('hit-count').dataset.query") == text, text)
            self.assertTrue(self.browser.find_element(By.ID, "hits").is_displayed())
            self.assertEqual(self.browser.find_element(By.ID, "hit-count").text, found, text)
            if found.startswith("1 "):
                self.assertEqual(self.rows("hit-rows")[0][:2], ["deep-needle.txt", DEEP], text)
        search.clear()
        search.send_keys("needle")
        WebDriverWait(self.browser, 5).until(lambda b: len(self.rows("hit-rows")) == 1)
        self.browser.find_element(By.CSS_SELECTOR, "#hit-rows .row:not([hidden]) .link").click()
        self.assertEqual(self.crumbs()[1:], DEEP.split("/"))
        self.assertEqual([r for r in self.rows() if r[4] == "marked"][0][0], "deep-needle.txt")
        self.assertEqual(self.browser.execute_script("return location.hash"), "#/" + DEEP)
        # Back returns to the folder before; the keyboard follows a hit as the click did.
        self.browser.back()
        WebDriverWait(self.browser, 5).until(lambda b: self.crumbs()[1:] == [])
        search.clear()
        search.send_keys("needle")
        WebDriverWait(self.browser, 5).until(lambda b: b.execute_script(
            "return document.getElementById('hit-count').dataset.query") == "needle")
        search.send_keys(Keys.ARROW_DOWN)
        self.browser.switch_to.active_element.send_keys(Keys.ENTER)
        self.assertEqual(self.crumbs()[1:], DEEP.split("/"))
        self.assertEqual([e for e in self.browser.get_log("browser") if e["level"] == "SEVERE"], [])

    def test_checksum_column_and_search_by_part_of_a_checksum(self):
        page = os.path.join(self.top, "checksums.html")
        with open(page, "wb") as out:
            out.write(list_tree(self.root, "html", "--checksum", "sha256"))
        needle = os.path.join(self.root, DEEP, "deep-needle.txt")
        digest = subprocess.run(["sha256sum", needle], capture_output=True, check=True,
                                text=True).stdout.split()[0]
        self.browser.get("file://" + page + "#/" + DEEP)
        headers = self.browser.find_elements(By.CSS_SELECTOR, "#columns button")
        self.assertEqual(headers[-1].text, "sha256")
        # At the window's normal width the name keeps at least the checksum's room.
        self.assertGreaterEqual(headers[0].size["width"], headers[-1].size["width"])
        self.assertEqual(self.rows()[0][0::4], ["deep-needle.txt", digest])
        cell = self.browser.find_element(By.CSS_SELECTOR, "#rows .row:not([hidden]) .hash")
        self.assertEqual(cell.get_attribute("title"), digest)
        # The checksum column sorts as the others do; folders have none.
        self.browser.get("file://" + page)
        listed = [r[4] for r in self.rows()]
        self.browser.find_elements(By.CSS_SELECTOR, "#columns button")[-1].click()
        self.assertEqual([r[4] for r in self.rows()], sorted(listed))
        self.assertIn("", listed)
        # A piece of the checksum finds the file; as a mask it is a name and finds nothing.
        search = self.browser.find_element(By.ID, "search")
        for text, found in [(digest[20:32].upper(), "1 entry found."),
                            (digest[20:32] + "*", "Nothing found.")]:
            search.clear()
            search.send_keys(text)
            WebDriverWait(self.browser, 5).until(lambda b: b.execute_script(
                "return document.getElementById('hit-count').dataset.query") == text, text)
            self.assertEqual(self.browser.find_element(By.ID, "hit-count").text, found, text)
            if found.startswith("1 "):
                self.assertEqual(self.rows("hit-rows")[0][:2], ["deep-needle.txt", DEEP])

    def test_fragment_opens_its_folder_also_after_a_reload(self):
        self.open("#/sub/inner")
        self.assertEqual(self.crumbs()[1:], ["sub", "inner"])
        self.browser.refresh()
        WebDriverWait(self.browser, 10).until(lambda b: self.crumbs()[1:] == ["sub", "inner"])
        self.assertEqual([r[0] for r in self.rows()], ["x.y"])
        self.browser.find_element(By.CSS_SELECTOR, "#crumbs button").click()
        self.assertEqual(self.browser.execute_script("return location.hash"), "#/")

    def test_hostile_names_are_text_and_nothing_of_theirs_runs(self):
        self.open("#/hostile")
        names = [r[0] for r in self.rows()]
        for name in HOSTILE:
            self.assertIn(name, names)
        self.assertIn("</script>", self.browser.find_element(By.ID, "title").text)
        with self.assertRaises(NoAlertPresentException):
            self.browser.switch_to.alert.text
        page = self.browser.execute_script(
            "return [window.pwned, document.querySelectorAll('img, b, main script').length]")
        self.assertEqual(page, [None, 0])
        errors = [e["message"] for e in self.browser.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [])

    def test_no_request_leaves_the_page(self):
        self.open()
        search = self.browser.find_element(By.ID, "search")
        search.send_keys("o")
        self.browser.execute_script("window.dispatchEvent(new Event('beforeprint'))")
        entries = self.browser.execute_script(
            "return performance.getEntries().filter((e) => e.entryType === 'navigation' ||"
            " e.entryType === 'resource').map((e) => e.name)")
        self.assertEqual(entries, [self.url])
        policy = self.browser.execute_script(
            "return document.querySelector('meta[http-equiv=Content-Security-Policy]').content")
        self.assertTrue(policy.startswith("default-src 'none';"), policy)


if __name__ == "__main__":
    if not (shutil.which("chromium") and shutil.which("chromedriver")):
        print("skipped: chromium and chromium-driver are not installed")
        sys.exit(SKIP)
    result = unittest.main(exit=False).result
    if not result.wasSuccessful():
        sys.exit(1)
    sys.exit(SKIP if len(result.skipped) >= max(result.testsRun, 1) else 0)

#!/usr/bin/python3
"""Opens an HTML catalogue in headless Chromium and reports how long after navigation start
the first folder is shown, and how long a search for NAME takes from its last key to the
list of hits (best of three).

    catalogue_browser.py CATALOGUE.html NAME"""
import os
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

page, name = os.path.abspath(sys.argv[1]), sys.argv[2]
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--user-data-dir=" + tempfile.mkdtemp(), "--window-size=1280,900"]:
    options.add_argument(argument)
browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
browser.set_page_load_timeout(120)
try:
    for attempt in range(3):
        browser.get("file://" + page)
        shown = browser.execute_script(
            "const m = performance.getEntriesByName('first-folder')[0]; return m && m.startTime")
        paint = browser.execute_script(
            "const p = performance.getEntriesByName('first-contentful-paint')[0];"
            " return p && p.startTime")
        load = browser.execute_script(
            "return performance.getEntriesByType('navigation')[0].loadEventEnd")
        print(f"open {attempt + 1}: first folder at {shown:.0f} ms, first paint {paint or 0:.0f} ms,"
              f" load end {load:.0f} ms after navigation start")
    # Let the page make its search text in the background, as a reader's first look would.
    time.sleep(2)
    browser.execute_script("""
        const search = document.getElementById('search');
        search.addEventListener('input', () => { window.lastKey = performance.now(); });
        new MutationObserver(() => { window.answered = performance.now(); })
            .observe(document.getElementById('hit-count'), {childList: true, characterData: true, subtree: true});
    """)
    search = browser.find_element(By.ID, "search")
    for attempt in range(3):
        search.clear()
        browser.execute_script("window.answered = 0; document.getElementById('hit-count').textContent = ''")
        search.send_keys(name)
        WebDriverWait(browser, 30).until(lambda b: b.execute_script("return window.answered > window.lastKey"))
        took = browser.execute_script("return window.answered - window.lastKey")
        found = browser.find_element(By.ID, "hit-count").text
        print(f"search {attempt + 1} for {name!r}: {found} {took:.0f} ms after the last key")
finally:
    browser.quit()

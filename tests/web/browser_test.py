#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Amorial in a real browser: Debian's headless Chromium, driven through
chromium-driver, loads the browser build from a local server and goes through
what a person does. The windows are read through the elements Qt's
accessibility puts into the page.

    browser_test.py SITE_FOLDER [TEST...]

Ends with a line as CTest's ("N% tests passed, F tests failed out of T").
"""
import datetime
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

HERE = os.path.dirname(os.path.abspath(__file__))
# The windows' titles: the program's title and its version, which the build writes once.
TITLE_START = 'Amorial v'
SITE_PAGE = 'http://www.amorial.example/amorial/ssd.php?page='

# Runs in every page before the page's own scripts: the pages the program opens
# are noted instead of loaded (no network beyond 127.0.0.1), and Qt's
# accessibility elements are turned on as a screen reader would.
PAGE_HOOK = r"""
window.__opened = JSON.parse(sessionStorage.getItem('__opened') || '[]');
window.open = (address) => {
    window.__opened.push(String(address));
    sessionStorage.setItem('__opened', JSON.stringify(window.__opened));
    return null;
};
"""


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Server:
    def __init__(self, folder):
        self.folder = folder
        self.process = None
        self.port = None

    def start(self, port=0):
        self.process = subprocess.Popen([sys.executable, os.path.join(HERE, 'serve.py'), self.folder, str(port)],
                                        stdout=subprocess.PIPE, text=True)
        self.port = int(self.process.stdout.readline())

    def stop(self):
        if self.process:
            self.process.kill()
            self.process.wait()
            self.process = None

    @property
    def url(self):
        return 'http://127.0.0.1:%d/' % self.port


class Browser:
    def __init__(self, profile):
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--user-data-dir=' + profile, '--window-size=1024,768', '--disable-dev-shm-usage'):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.hook_tab()

    def hook_tab(self):
        self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': PAGE_HOOK})

    def quit(self):
        self.driver.quit()

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait(self, what, condition, timeout=60):
        end = time.monotonic() + timeout
        while True:
            value = condition()
            if value:
                return value
            if time.monotonic() > end:
                raise Failure('timed out waiting for ' + what + '; the page shows: ' + self.describe())
            time.sleep(0.1)

    # --- what the page shows ---
    def windows(self):
        """The program's windows, front last: each its title and the texts of its controls, as
        Qt's accessibility elements give them (turned on here, as a screen reader user would)."""
        return self.js(r"""
            const root = document.querySelector('#qt-shadow-container');
            if (!root || !root.shadowRoot || root.offsetParent === null)
                return [];
            for (const button of root.shadowRoot.querySelectorAll('button.hidden-visually-read-by-screen-reader'))
                button.click();
            return [...root.shadowRoot.querySelectorAll('.qt-window')]
                .filter(w => w.style.display !== 'none' && w.getBoundingClientRect().width > 0)
                .map(w => {
                    const title = w.querySelector('.window-name');
                    const texts = [...w.querySelectorAll('.qt-window-a11y-container *')]
                        .filter(e => e.getAttribute('aria-hidden') !== 'true' && !e.closest('[aria-hidden="true"]'))
                        .map(e => (e.value || e.textContent || '').trim())
                        .filter(t => t);
                    return { title: title ? title.textContent.trim() : '', texts: [...new Set(texts)],
                             z: parseInt(w.style.zIndex) || 0 };
                }).sort((a, b) => a.z - b.z);
        """)

    def click(self, control):
        """Clicks the middle of a control of the front window, named as in the program."""
        where = self.js(r"""
            const root = document.querySelector('#qt-shadow-container').shadowRoot;
            const control = [...root.querySelectorAll('.qt-window-a11y-container [id]')]
                .filter(e => e.id.endsWith('.' + arguments[0])).pop();
            if (!control)
                return null;
            const box = control.getBoundingClientRect();
            return [box.x + box.width / 2, box.y + box.height / 2];
        """, control)
        check(where, 'no control %s on the page: %s' % (control, self.describe()))
        action = ActionBuilder(self.driver)
        action.pointer_action.move_to_location(int(where[0]), int(where[1]))
        action.pointer_action.click()
        action.perform()
        time.sleep(0.2)

    def status_line(self):
        return self.js("const s = document.querySelector('#status'); "
                       "return s && s.offsetParent !== null ? s.textContent : '';")

    def describe(self):
        try:
            return json.dumps({'windows': self.windows(), 'status': self.status_line()})[:2000]
        except Exception as error:  # the page may be gone
            return repr(error)

    def front(self):
        windows = self.windows()
        return windows[-1] if windows else None

    def wait_front(self, what, condition, timeout=60):
        return self.wait(what, lambda: (lambda w: w if w and condition(w) else None)(self.front()), timeout)

    def press(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()
        time.sleep(0.15)

    def alt(self, letter):
        """Alt+letter, the modifier held over the letter."""
        ActionChains(self.driver).key_down(Keys.ALT).send_keys(letter).key_up(Keys.ALT).perform()
        time.sleep(0.15)

    def opened(self):
        return self.js('return window.__opened || [];')


def load(browser, url):
    browser.driver.get(url)
    browser.wait('the page to load', lambda: browser.js('return document.readyState') == 'complete')


def entry_window_up(browser):
    return browser.wait_front('the entry window', lambda w: w['title'].startswith(TITLE_START) and
                              any('Find My Zodiac' in t for t in w['texts']))


def screen_text(browser):
    """What the page shows, read by tesseract off a screenshot at twice the size."""
    with tempfile.TemporaryDirectory() as folder:
        shot = os.path.join(folder, 'page.png')
        browser.driver.save_screenshot(shot)
        subprocess.run(['convert', shot, '-resize', '200%', shot], check=True)
        return ' '.join(subprocess.run(['tesseract', shot, '-', '--psm', '11'], capture_output=True,
                                       text=True).stdout.split())


def message_box(browser, text):
    """Waits for a message box in front with this text. Qt gives a box opened before the
    program's event loop runs no accessibility elements; then its text is read off the screen."""
    def shown(window):
        if window['title'] != 'Amorial':
            return False
        if window['texts']:
            return any(text in t for t in window['texts'])
        return text in screen_text(browser)
    return browser.wait_front('the message "%s"' % text, shown)


# --- the tests; each gets a fresh browser profile on one server, the page loaded and the entry window up ---

def test_find_flow(browser, server):
    """A name and 14 July 1932 give Gemini; Back brings the entry window back as it was."""
    browser.click('txtName')
    browser.press('ann lee')
    browser.wait_front('ANN LEE in the name box', lambda w: 'ANN LEE' in w['texts'])
    # Qt's accessibility elements do not follow a drop-down list's choice: the sign tells it.
    browser.press(Keys.TAB, *[Keys.DOWN] * 13, Keys.TAB, *[Keys.DOWN] * 6, Keys.TAB, *[Keys.DOWN] * 2)
    browser.alt('l')
    result = browser.wait_front('the result window', lambda w: 'Gemini' in w['texts'])
    check(result['title'].startswith(TITLE_START), 'the result window is titled %r' % result['title'])
    check(len(browser.windows()) == 1, 'the entry window still shows beside the result')
    browser.alt('b')
    back = browser.wait_front('the entry window again', lambda w: any('Find My Zodiac' in t for t in w['texts']))
    check(len(browser.windows()) == 1, 'the result window is still there')
    # Qt's accessibility elements do not give the name box's text after the
    # window shows again; the same sign, and no refusal, tells the input is as it was.
    browser.alt('l')
    browser.wait_front('the same sign again', lambda w: 'Gemini' in w['texts'])


def test_refusals(browser, server):
    """An empty name, 30 February and 31 April are each refused with their message."""
    browser.click('txtName')
    browser.alt('l')
    message_box(browser, 'Please Enter Your Name')
    browser.press(Keys.ENTER)
    entry_window_up(browser)
    browser.click('txtName')
    browser.press('ann', Keys.TAB, *[Keys.DOWN] * 29, Keys.TAB, Keys.DOWN)
    browser.alt('l')
    message_box(browser, 'Please Enter Correct Date Or Month!')
    browser.press(Keys.ENTER)
    entry_window_up(browser)
    browser.click('cboDate')
    browser.press(Keys.ESCAPE)
    browser.press(Keys.DOWN, Keys.TAB, Keys.DOWN, Keys.DOWN)
    browser.alt('l')
    message_box(browser, 'Please Enter Correct Date Or Month !')
    browser.press(Keys.ENTER)
    entry_window_up(browser)
    browser.click('txtName')
    browser.press('3')
    message_box(browser, 'Please Enter only Letters')


def test_second_tab_refused(browser, server):
    """A second tab says the program is already running and ends; the first runs on."""
    first = browser.driver.current_window_handle
    browser.driver.switch_to.new_window('tab')
    browser.hook_tab()
    load(browser, server.url)
    message_box(browser, 'Application is already running')
    check(len(browser.windows()) == 1, 'the second tab shows more than the message: %s' % browser.windows())
    browser.press(Keys.ENTER)
    browser.wait('the second tab to end', lambda: 'Amorial has ended' in browser.status_line())
    check(not browser.windows(), 'windows are left in the ended tab')
    browser.driver.close()
    browser.driver.switch_to.window(first)
    entry_window_up(browser)


def test_exit_ends_and_starts_again(browser, server):
    """Exit ends the program in the page; the link starts it again, lock and all."""
    browser.click('cmdExit')
    browser.wait('the page to say the program ended', lambda: 'Amorial has ended' in browser.status_line())
    check(not browser.windows(), 'windows are left after Exit')
    browser.driver.find_element(By.LINK_TEXT, 'Start Amorial again').click()
    entry_window_up(browser)


def test_link_opens_its_page(browser, server):
    """Help > Online Help opens the help page in a new tab."""
    browser.alt('h')
    time.sleep(0.5)
    browser.press('o')
    browser.wait('the help page to open', lambda: SITE_PAGE + 'help-web-page' in browser.opened())
    check(browser.opened() == [SITE_PAGE + 'help-web-page'], 'opened: %s' % browser.opened())


def browser_today(browser):
    return datetime.date.fromisoformat(browser.js(
        "const d = new Date(); return d.getFullYear() + '-' + String(d.getMonth() + 1).padStart(2, '0')"
        " + '-' + String(d.getDate()).padStart(2, '0');"))


def test_reminder_at_15_days(browser, server):
    """A first visit stores today; 14 days later nothing is asked; 15 days later the question
    comes first, and Yes stores today and opens the download page."""
    today = browser_today(browser)
    item = 'amorial/Settings/Duration'
    stored = browser.wait('the first visit to store its date', lambda: browser.js(
        'return localStorage.getItem(arguments[0])', item))
    check(stored == today.isoformat(), 'the first visit stored %r, not today' % stored)
    for days, asks in ((14, False), (15, True)):
        date = (today - datetime.timedelta(days=days)).isoformat()
        browser.js('localStorage.setItem(arguments[0], arguments[1])', item, date)
        load(browser, server.url)
        if not asks:
            entry_window_up(browser)
            check(browser.js('return localStorage.getItem(arguments[0])', item) == date,
                  'the date of %d days ago was rewritten' % days)
            continue
        box = message_box(browser, 'There maybe an update to this software available')
        check(len(browser.windows()) == 1, 'a window shows before the question: %s' % browser.windows())
        browser.press('y')  # Yes, by its access key
        entry_window_up(browser)
        browser.wait('the download page', lambda: SITE_PAGE + 'download-web-page' in browser.opened())
        check(browser.js('return localStorage.getItem(arguments[0])', item) == today.isoformat(),
              'the date was not set to today after the question')


def test_second_visit_offline(browser, server):
    """Once loaded, the page starts again with the server gone."""
    browser.wait('the service worker to hold the files', lambda: browser.js(
        "return navigator.serviceWorker.controller !== null || "
        "(window.__swReady = window.__swReady || navigator.serviceWorker.ready.then(() => true)) && false;") or
        browser.js("return caches.keys().then(k => k.length > 0)"), timeout=60)
    browser.wait('every file in the cache', lambda: browser.js(
        "return caches.keys().then(names => Promise.all(names.map(n => caches.open(n).then(c => c.keys()))))"
        ".then(lists => lists.flat().length)") >= 8)
    browser.click('cmdExit')
    browser.wait('the end', lambda: 'Amorial has ended' in browser.status_line())
    server.stop()
    try:
        load(browser, 'http://127.0.0.1:%d/' % server.port)
        entry_window_up(browser)
    finally:
        server.start(server.port)


TESTS = [test_find_flow, test_refusals, test_link_opens_its_page, test_second_tab_refused,
         test_exit_ends_and_starts_again, test_reminder_at_15_days, test_second_visit_offline]


def main():
    site = sys.argv[1]
    chosen = [t for t in TESTS if len(sys.argv) < 3 or t.__name__ in sys.argv[2:]]
    server = Server(site)
    server.start()
    failed = 0
    try:
        for test in chosen:
            profile = tempfile.mkdtemp(prefix='amorial-web-')
            started = time.monotonic()
            browser = None
            try:
                browser = Browser(profile)
                load(browser, server.url)
                entry_window_up(browser)
                test(browser, server)
                print('PASS  %s (%.1f s)' % (test.__name__, time.monotonic() - started), flush=True)
            except Exception as error:
                failed += 1
                print('FAIL  %s: %s' % (test.__name__, error), flush=True)
                if not isinstance(error, Failure):
                    traceback.print_exc()
                if browser:
                    try:
                        shot = os.path.join(tempfile.gettempdir(), test.__name__ + '.png')
                        browser.driver.save_screenshot(shot)
                        print('      screenshot: ' + shot)
                    except Exception:
                        pass
            finally:
                if browser:
                    browser.quit()
                shutil.rmtree(profile, ignore_errors=True)
    finally:
        server.stop()
    total = len(chosen)
    print('\n%d%% tests passed, %d tests failed out of %d' % (100 * (total - failed) // max(total, 1), failed, total))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())

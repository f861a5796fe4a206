#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Start-up of the browser build against the plainest Qt window built the same
way (scripts/web-build with AMORIAL_WEB_EXTRA=plain), in Debian's headless
Chromium, taking turns, each load in a fresh profile:

    bench/web-startup.py [ROUNDS] [BUILD_DIR]      default 10 rounds, build-web

For each: the bytes that went over the wire, compressed (the server sends the
precompressed .br files), up to the first frame of the first window, and the
time from the start of loading index.html to that frame. Ends with the medians
and their ratio, and the median of each round's own ratio.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import shutil
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

HERE = os.path.dirname(os.path.abspath(__file__))
SERVE = os.path.join(HERE, '..', 'tests', 'web', 'serve.py')

# The first animation frame at which a window's canvas holds a painted pixel.
FIRST_FRAME = r"""
window.__firstFrame = null;
(function watch() {
    const host = document.querySelector('#qt-shadow-container');
    const root = host && host.shadowRoot;
    for (const canvas of root ? root.querySelectorAll('.qt-window canvas') : []) {
        if (!canvas.width || !canvas.height)
            continue;
        const context = canvas.getContext('2d', { willReadFrequently: true });
        // Points that both windows (484 by 370, in the screen's top left corner) cover.
        const painted = context && [[10, 10], [100, 100], [240, 185]].some(([x, y]) =>
            context.getImageData(x, y, 1, 1).data[3] !== 0);
        if (painted) {
            window.__firstFrame = performance.now();
            return;
        }
    }
    requestAnimationFrame(watch);
})();
"""


def serve(folder):
    process = subprocess.Popen([sys.executable, SERVE, folder], stdout=subprocess.PIPE, text=True)
    return process, int(process.stdout.readline())


def one_load(url):
    profile = tempfile.mkdtemp(prefix='amorial-bench-')
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 '--window-size=1024,768', '--user-data-dir=' + profile):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    try:
        driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FIRST_FRAME})
        driver.get(url)
        end = time.monotonic() + 60
        while driver.execute_script('return window.__firstFrame') is None:
            if time.monotonic() > end:
                raise RuntimeError('no frame from ' + url)
            time.sleep(0.02)
        frame = driver.execute_script('return window.__firstFrame')
        sent = driver.execute_script("""
            const entries = performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource'));
            return entries.filter(e => e.responseEnd <= arguments[0]).reduce((sum, e) => sum + e.transferSize, 0);
        """, frame)
        return frame, sent
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    build = sys.argv[2] if len(sys.argv) > 2 else 'build-web'
    servers = {}
    for name, folder in (('amorial', 'site'), ('plainest', 'baseline-site')):
        path = os.path.join(build, folder)
        if not os.path.isfile(os.path.join(path, 'index.html')):
            sys.exit('bench/web-startup.py: no %s: build it with AMORIAL_WEB_EXTRA=plain scripts/web-build' % path)
        servers[name] = serve(path)
    times = {'amorial': [], 'plainest': []}
    sizes = {}
    try:
        for _ in range(rounds):
            for name, (_, port) in servers.items():
                frame, sent = one_load('http://127.0.0.1:%d/' % port)
                times[name].append(frame)
                sizes[name] = sent
    finally:
        for process, _ in servers.values():
            process.kill()
    for name in times:
        print('%-9s downloaded %7.1f KB compressed; first frame after %s ms (median %.0f ms)' % (
            name, sizes[name] / 1000, ' '.join('%.0f' % t for t in times[name]), statistics.median(times[name])))
    ratio = statistics.median(times['amorial']) / statistics.median(times['plainest'])
    per_round = statistics.median(a / p for a, p in zip(times['amorial'], times['plainest']))
    print('ratio of medians %.3f, median of round ratios %.3f, download ratio %.3f' % (
        ratio, per_round, sizes['amorial'] / sizes['plainest']))


if __name__ == '__main__':
    main()

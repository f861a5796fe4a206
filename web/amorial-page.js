// SPDX-License-Identifier: MIT
// The page around Amorial: the lock that keeps it to one tab, its start, its
// end, and the service worker that keeps the page working offline.
'use strict';
window.amorialPage = (() => {
    let instanceHeld = true; // where the browser has no Web Locks, every tab runs
    let releaseLock = null;
    let screen = null;
    let status = null;
    let ended = false;

    // Held for as long as this tab runs the program; the browser gives it up
    // when the tab closes or goes to another page. A second tab does not wait for it.
    function takeInstanceLock() {
        if (!navigator.locks)
            return Promise.resolve();
        return new Promise(resolve => {
            navigator.locks.request('amorial.instance', { ifAvailable: true }, lock => {
                instanceHeld = lock !== null;
                resolve();
                if (!lock)
                    return null;
                return new Promise(release => { releaseLock = release; });
            }).catch(() => resolve());
        });
    }

    function showEnded() {
        if (ended)
            return;
        ended = true;
        screen.style.display = 'none';
        status.textContent = 'Amorial has ended. ';
        const again = document.createElement('a');
        again.href = location.pathname;
        again.textContent = 'Start Amorial again';
        status.appendChild(again);
        status.style.display = '';
    }

    async function start(screenElement, statusElement) {
        screen = screenElement;
        status = statusElement;
        await takeInstanceLock();
        try {
            await qtLoad({
                qt: {
                    containerElements: [screen],
                    entryFunction: window.amorial_entry,
                    onLoaded: () => {
                        status.style.display = 'none';
                        // Once the program runs, so that its own download goes first.
                        if ('serviceWorker' in navigator)
                            navigator.serviceWorker.register('sw.js').catch(() => {});
                    },
                    onExit: showEnded,
                },
            });
        } catch (error) {
            status.textContent = 'Amorial could not start: ' + error;
        }
    }

    return {
        start,
        holdsInstance: () => instanceHeld,
        releaseInstance: () => {
            if (releaseLock)
                releaseLock();
            releaseLock = null;
        },
        programEnded: showEnded,
    };
})();

// SPDX-License-Identifier: MIT
// The program in a browser page: the page's local storage holds the settings,
// a new tab shows a web page, the page's lock (index.html takes it before the
// program loads) tells whether another tab runs the program, and the end of the
// program is the page's to show. The glue is the few lines of JavaScript below;
// what can be decided without a browser is in BrowserSettings.
#include "platform/BrowserSettings.h"
#include "platform/Platform.h"

#include <QUrl>

#include <emscripten.h>
#include <emscripten/em_js.h>

#include <cstdlib>

EM_JS_DEPS(amorial_browser_page, "$stringToNewUTF8,$UTF8ToString");

// Reaching local storage throws where the browser withholds it; every call is guarded.
EM_JS(int, amorial_storage_available, (), {
    try {
        return window.localStorage ? 1 : 0;
    } catch (e) {
        return 0;
    }
});

EM_JS(char *, amorial_storage_item, (const char *name), {
    try {
        const value = window.localStorage.getItem(UTF8ToString(name));
        return value === null ? 0 : stringToNewUTF8(value);
    } catch (e) {
        return 0;
    }
});

EM_JS(int, amorial_storage_set_item, (const char *name, const char *value), {
    try {
        window.localStorage.setItem(UTF8ToString(name), UTF8ToString(value));
        return 1;
    } catch (e) {
        return 0;
    }
});

// Every page opens from a click or a key, which popup blockers let through.
// The new tab gets no hold on this page.
EM_JS(void, amorial_open_in_new_tab, (const char *address), {
    try {
        window.open(UTF8ToString(address), '_blank', 'noopener');
    } catch (e) {
    }
});

// index.html: window.amorialPage (web/amorial-page.js). Without it (another page
// around the program) the program runs without the lock, as on a desktop
// where no lock can be taken.
EM_JS(int, amorial_page_holds_instance, (), {
    try {
        return !window.amorialPage || window.amorialPage.holdsInstance() ? 1 : 0;
    } catch (e) {
        return 1;
    }
});

EM_JS(void, amorial_page_release_instance, (), {
    try {
        if (window.amorialPage)
            window.amorialPage.releaseInstance();
    } catch (e) {
    }
});

EM_JS(void, amorial_page_program_ended, (), {
    try {
        if (window.amorialPage)
            window.amorialPage.programEnded();
    } catch (e) {
    }
});

namespace platform {
namespace {

class LocalStorage final : public KeyValueStorage
{
public:
    bool available() override { return amorial_storage_available() != 0; }

    std::optional<QString> item(const QString &name) override
    {
        char *value = amorial_storage_item(name.toUtf8().constData());
        if (!value)
            return std::nullopt;
        QString text = QString::fromUtf8(value);
        std::free(value);
        return text;
    }

    bool setItem(const QString &name, const QString &value) override
    {
        return amorial_storage_set_item(name.toUtf8().constData(), value.toUtf8().constData()) != 0;
    }
};

class NewTabOpener final : public UrlOpener
{
public:
    void open(const QUrl &address) override { amorial_open_in_new_tab(address.toEncoded().constData()); }
};

class PageInstanceLock final : public InstanceLock
{
public:
    bool tryAcquire() override { return amorial_page_holds_instance() != 0; }
    void release() override { amorial_page_release_instance(); }
};

// The page shows that the program has ended, with a link that starts it again;
// then the runtime stops, and nothing of the program runs any more.
class PageEnder final : public ProcessEnder
{
public:
    void endProcess() override
    {
        amorial_page_program_ended();
        emscripten_force_exit(EXIT_SUCCESS);
    }
};

template<class Interface, class Implementation>
Interface &single()
{
    static Implementation implementation;
    return implementation;
}

} // namespace

template<> SettingsStore &Seam<SettingsStore>::realImplementation()
{
    static LocalStorage storage;
    static BrowserSettingsStore store(storage);
    return store;
}
template<> UrlOpener &Seam<UrlOpener>::realImplementation() { return single<UrlOpener, NewTabOpener>(); }
template<> InstanceLock &Seam<InstanceLock>::realImplementation() { return single<InstanceLock, PageInstanceLock>(); }
template<> ProcessEnder &Seam<ProcessEnder>::realImplementation() { return single<ProcessEnder, PageEnder>(); }

} // namespace platform

// Points the window settings at a scratch directory for one test and clears
// the start-up values the windows read (reset switch, locale, GL view).
#pragma once

#include <QSettings>

#include "app/StartupState.h"
#include "support/TestEnv.h"

namespace orvextest {

class SettingsSandbox {
public:
    SettingsSandbox() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir_.path()));
        StartupState::setReset(false);
        StartupState::setLocale("en_US");
        StartupState::setGlView(nullptr);
    }
    ~SettingsSandbox() {
        StartupState::setReset(false);
        StartupState::setGlView(nullptr);
    }
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

    std::string path() const { return dir_.path(); }

private:
    TempDir dir_;
};

} // namespace orvextest

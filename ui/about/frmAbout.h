// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About window: version, credits, three links, the System Info button.
//
// One window serves the whole program. It is created and loaded the first
// time it is asked for; OK (also Enter and Esc) only hides it, so it keeps its
// texts and place; the title-bar close box unloads it, and the next request
// loads it anew.

#include <QDialog>

#include "registry.h"

class QLabel;
class QPushButton;

namespace vandrel::ui {

class frmAbout final : public QDialog {
    Q_OBJECT

public:
    /// The program-wide window, created and loaded (Form_Load) when it is not
    /// loaded yet. A new window belongs to `parent`, the main window, so it
    /// never outlives it.
    static frmAbout& instance(QWidget* parent = nullptr);
    /// Whether the program-wide window is loaded.
    static bool loaded();

    /// Reads one registry value as text; see the free function of the same
    /// name. Uses the installed SystemAccess's registry.
    static bool GetKeyValue(RegRoot KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);
    /// Starts the system-information tool, or tells the user it is unavailable.
    void StartSysInfo();

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label5_Click();
    void Label8_Click();
    void Label9_Click();

    /// Esc: the same as OK.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit frmAbout(QWidget* parent);
    void Form_Load();
    QLabel* add_label(const char* name, int left, int top, int width, int height, const QString& text,
                      Qt::Alignment alignment);
    QLabel* add_link(const char* name, int left, int top, int width, int height, const QString& text,
                     const QString& tooltip);

    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    /// The link label a click began on, until the button is released.
    QLabel* pressed_link_ = nullptr;
};

}  // namespace vandrel::ui

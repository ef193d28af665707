#pragma once
// The usage text: the rules of the program, read-only.

#include "ui/secondarywindow.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

class TForm10 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    // The text, line for line, blanks at line ends included.
    static const QStringList UsageLines;

    QLabel* titleLabel = nullptr;          // "Telefika v2.0  "
    QPlainTextEdit* usageText = nullptr;   // the usage text
    QPushButton* okButton = nullptr;    // Tamam
    QStatusBar* statusBar = nullptr;

    // Opened from the main window's menu, at the top of the text.
    void execute();

public slots:
    void BitBtn1Click();

protected:
    void buildWidgets() override;
};

#pragma once
// The usage text: the rules of the program, read-only.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    // The text, line for line, blanks at line ends included.
    static const QStringList UsageLines;

    QLabel* titleLabel;          // "Telefika v2.0  "
    QPlainTextEdit* usageText;   // the usage text
    QPushButton* okButton;    // Tamam
    QStatusBar* statusBar;

    // Opened from the main window's menu, at the top of the text.
    void execute();

public slots:
    void BitBtn1Click();
};

#pragma once
// The application object: one place that catches what an event handler lets
// through and shows it in the error box, so the handler stops where it threw
// and the program goes on; and the message about writes the disk did not
// confirm (textfile::setUnsyncedWriteHandler), shown after the operation.

#include <QApplication>

class TelefikaApplication : public QApplication {
public:
    TelefikaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The look every window shares: the style, the font and the title.
void applyLook(QApplication& app);

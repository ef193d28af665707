#pragma once
// The base of every test of the program's windows: each test function gets a
// fresh home, and the windows it made are gone afterwards. A test answer it
// queued and never used fails it.

#include "app/forms.h"
#include "tests/common/testenv.h"

#include <QObject>

#include <memory>

class ProgramTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<FreshHome> home;

private slots:
    void init() { home = std::make_unique<FreshHome>(); }
    void cleanup() {
        failOnUnusedAnswers();
        destroyForms();
        home.reset();
    }
};

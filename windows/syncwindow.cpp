#include "windows/syncwindow.h"

#include "book/phonebook.h"
#include "store/storeerror.h"
#include "sync/synclink.h"
#include "sync/syncrunner.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/syncsettings.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

const QString SyncWindow::NotLinked =
    QStringLiteral("Bu grup bir adres defterine bağlı değil. Önce Eşitleme Ayarları'nı açın.");

namespace {

QString shown(const SyncContact& c) {
    return (c.name + QLatin1Char(' ') + c.surname + QLatin1Char(' ') + c.number).simplified();
}

QLabel* valueLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

}  // namespace

SyncWindow::SyncWindow(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("syncWindow"));
    setWindowTitle(QStringLiteral("Şimdi Eşitle"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void SyncWindow::buildWidgets() {
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* form = new QFormLayout;
    groupValue = valueLabel(this);
    form->addRow(QStringLiteral("Grup:"), groupValue);
    bookValue = valueLabel(this);
    bookValue->setMinimumWidth(440);
    form->addRow(QStringLiteral("Adres defteri:"), bookValue);
    passwordField = new QLineEdit(this);
    passwordField->setEchoMode(QLineEdit::Password);
    startButton = new QPushButton(standardIcon(QStyle::SP_BrowserReload), QStringLiteral("&Eşitle"), this);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(passwordField, 1);
    passwordRow->addWidget(startButton);
    auto* passwordCaption = new QLabel(QStringLiteral("Parola:"), this);
    passwordCaption->setBuddy(passwordField);
    form->addRow(passwordCaption, passwordRow);
    form_ = form;
    for (QWidget* w : std::initializer_list<QWidget*>{passwordCaption, passwordField, startButton}) {
        QSizePolicy keepPlace = w->sizePolicy();  // the window keeps its size when the row comes and goes
        keepPlace.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keepPlace);
    }
    outer->addLayout(form);
    buildProgress(outer);

    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    closeButton = new QPushButton(standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Kapat"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addWidget(closeButton);
    outer->addLayout(buttons);

    // No button is the default: Enter in the password field starts, and
    // nothing else (a default "Kapat" would close the window on it).
    for (QPushButton* b : {startButton, cancelButton, closeButton}) b->setAutoDefault(false);
    connect(passwordField, &QLineEdit::returnPressed, this, &SyncWindow::startClicked);
    connect(startButton, &QPushButton::clicked, this, &SyncWindow::startClicked);
    connect(cancelButton, &QPushButton::clicked, this, &SyncWindow::cancelClicked);
    connect(closeButton, &QPushButton::clicked, this, &SyncWindow::closeClicked);
}

void SyncWindow::buildProgress(QVBoxLayout* outer) {
    stageValue = valueLabel(this);
    outer->addWidget(stageValue);
    progressBar = gauge(this, QRect(), QStringLiteral("İlerleme"));
    outer->addWidget(progressBar);

    auto* reportCaption = new QLabel(QStringLiteral("Rapor:"), this);
    reportList = new QListWidget(this);
    reportList->setMinimumSize(520, 180);
    reportList->setWordWrap(true);
    reportCaption->setBuddy(reportList);
    name(reportList, QStringLiteral("Eşitleme Raporu"));
    showFocus(reportList);
    outer->addWidget(reportCaption);
    outer->addWidget(reportList);
    failureValue = valueLabel(this);
    failureValue->hide();
    outer->addWidget(failureValue);

    auto* conflictCaption = new QLabel(QStringLiteral("Çakışmalar: iki yanda da değişmiş kişiler; hangisi kalsın?"), this);
    conflictCaption->setObjectName(QStringLiteral("conflictCaption"));
    conflictArea = new QScrollArea(this);
    conflictArea->setWidgetResizable(true);
    conflictArea->setMaximumHeight(170);
    conflictArea->setFocusPolicy(Qt::NoFocus);
    name(conflictArea, QStringLiteral("Çakışmalar"));
    conflictRows = new QWidget;
    conflictLayout = new QVBoxLayout(conflictRows);
    conflictLayout->addStretch();
    conflictArea->setWidget(conflictRows);
    conflictCaption->setBuddy(conflictArea);
    outer->addWidget(conflictCaption);
    outer->addWidget(conflictArea);
    conflictCaption->hide();
    conflictArea->hide();

    lastSyncValue = valueLabel(this);
    outer->addWidget(lastSyncValue);
}

void SyncWindow::execute() {
    const QString group = book.activeGroup();
    std::optional<synclink::Link> link;
    try {
        link = synclink::of(group);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return;
    }
    if (!link) {
        ShowMessage(NotLinked);
        return;
    }
    if (isRunning()) {  // a sync closed a moment ago stops at its next answer
        ShowMessage(QStringLiteral("Önceki eşitleme daha duruyor. Biraz sonra yeniden deneyin."));
        return;
    }
    ensureBuilt();
    group_ = group;
    groupValue->setText(group);
    bookValue->setText(link->book.toString());
    report_ = SyncReport();
    reportList->clear();
    failureValue->clear();
    failureValue->hide();
    clearConflicts();
    lastSyncValue->setText(lastSyncText(group));
    stageValue->setText(QStringLiteral("Parola anahtarlıktan okunuyor..."));
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    setRunning(false);
    form_->setRowVisible(form_->rowCount() - 1, false);  // until the keyring has none, or a run failed
    startButton->setEnabled(false);
    const int session = ++session_;
    const QPointer<SyncWindow> self(this);  // the window may be gone by the time the keyring answers
    keyring().read(Keyring::keyFor(group), [self, session](Keyring::Outcome outcome, const QString& secret) {
        if (self && session == self->session_) self->keyringRead(outcome, secret);
    });
    execModal(this);
}

bool SyncWindow::isRunning() const { return runner_ && runner_->isRunning(); }

QPushButton* SyncWindow::takeServerButton(int row) const { return serverButtons_.value(row); }
QPushButton* SyncWindow::takeHereButton(int row) const { return hereButtons_.value(row); }

void SyncWindow::keyringRead(Keyring::Outcome outcome, const QString& secret) {
    if (outcome == Keyring::Outcome::Done) {
        password_ = secret;
        run({});
        return;
    }
    askPassword(outcome == Keyring::Outcome::NotFound
                    ? QStringLiteral("Parola anahtarlıkta yok: parolayı yazıp \"Eşitle\"ye basın.")
                : outcome == Keyring::Outcome::NoKeyring
                    ? QStringLiteral("Anahtarlık yok: parolayı yazıp \"Eşitle\"ye basın. Parola hiçbir yere yazılmaz.")
                    : QStringLiteral("Anahtarlık parolayı vermedi: parolayı yazıp \"Eşitle\"ye basın."));
}

// The password field and "Eşitle" open for a typed password.
void SyncWindow::askPassword(const QString& why) {
    form_->setRowVisible(form_->rowCount() - 1, true);
    passwordField->setEnabled(true);
    startButton->setEnabled(true);
    if (!why.isEmpty()) stageValue->setText(why);
    passwordField->setFocus();
}

// "Eşitle": a run with the typed password, else with the one used last.
void SyncWindow::startClicked() {
    if (isRunning()) return;
    if (!passwordField->text().isEmpty()) password_ = passwordField->text();
    passwordField->clear();
    if (password_.isEmpty()) {
        stageValue->setText(QStringLiteral("Önce parolayı yazın."));
        Beep();
        return;
    }
    run({});
}

void SyncWindow::run(const QList<Resolution>& resolutions) {
    if (runner_) runner_->deleteLater();
    auto* runner = new SyncRunner(book, group_, password_, this);
    runner_ = runner;
    runner->setResolutions(resolutions);
    const int session = session_;
    connect(runner, &SyncRunner::progress, this, [this, runner](const QString& stage, int done, int total) {
        if (runner == runner_) showProgress(stage, done, total);
    });
    connect(runner, &SyncRunner::deletionNeedsConfirmation, this, [this, runner](int cards) {
        if (runner == runner_) deletionAsked(cards);
    });
    connect(runner, &SyncRunner::finished, this, [this, runner, session] {
        if (runner == runner_ && session == session_) finished();
    });
    reportList->clear();
    failureValue->clear();
    failureValue->hide();
    clearConflicts();
    showProgress(QStringLiteral("Eşitleme başlıyor"), 0, 0);
    setRunning(true);
    runner->start();
}

void SyncWindow::showProgress(const QString& stage, int done, int total) {
    stageValue->setText(total > 0  ? QStringLiteral("%1: %2 / %3").arg(stage).arg(done).arg(total)
                        : done > 0 ? QStringLiteral("%1: %2").arg(stage).arg(done)
                                   : stage);
    progressBar->setRange(0, qMax(0, total));
    progressBar->setValue(total > 0 ? qMin(done, total) : 0);
}

// The group was emptied: the question comes once the runner's signal has
// returned, and its answer goes to the runner that asked.
void SyncWindow::deletionAsked(int cards) {
    QPointer<SyncRunner> asking = runner_;
    QTimer::singleShot(0, this, [this, asking, cards] {
        if (!asking || asking != runner_) return;
        const bool yes = askYesNo(this, QStringLiteral("Bu grubun bütün kişileri silinmiş. Sunucudaki %1 kart da "
                                                       "silinsin mi?\n\"Hayır\": eşitleme durur, sunucuda hiçbir şey silinmez.")
                                            .arg(cards));
        if (asking && asking->isRunning()) asking->confirmDeletion(yes);
    });
}

void SyncWindow::finished() {
    report_ = runner_->report();
    setRunning(false);
    showReport();
    lastSyncValue->setText(lastSyncText(group_));
    if (!report_.failure.isEmpty()) askPassword(QString());  // a wrong password may be typed again
}

void SyncWindow::showReport() {
    reportList->clear();
    reportList->addItems(report_.lines());
    reportList->addItem(report_.summary());
    reportList->setCurrentRow(0);
    if (report_.cancelled) stageValue->setText(QStringLiteral("Eşitleme durduruldu; yapılanlar kayıtlı."));
    else if (!report_.failure.isEmpty()) stageValue->setText(QStringLiteral("Eşitleme yapılamadı."));
    else if (!report_.conflicts.isEmpty()) stageValue->setText(QStringLiteral("Eşitlendi; çakışmalar seçiminizi bekliyor."));
    else stageValue->setText(QStringLiteral("Eşitlendi."));
    progressBar->setRange(0, 100);
    progressBar->setValue(report_.succeeded() ? 100 : 0);
    failureValue->setText(report_.failure);
    failureValue->setVisible(!report_.failure.isEmpty());
    for (const SyncReport::Conflict& c : report_.conflicts) addConflictRow(c);
    const bool conflicts = !report_.conflicts.isEmpty();
    conflictArea->setVisible(conflicts);
    findChild<QLabel*>(QStringLiteral("conflictCaption"))->setVisible(conflicts);
}

// A conflict: the server's version and this group's, each beside the button
// that keeps it.
void SyncWindow::addConflictRow(const SyncReport::Conflict& conflict) {
    auto* row = new QFrame(conflictRows);
    row->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    auto* grid = new QGridLayout(row);
    QLabel* server = valueLabel(row);
    server->setText(QStringLiteral("Sunucudaki: ") + shown(conflict.server));
    QLabel* here = valueLabel(row);
    here->setText(QStringLiteral("Buradaki: ") + shown(conflict.here));
    auto* takeServer = new QPushButton(QStringLiteral("Sunucudakini Al"), row);
    auto* takeHere = new QPushButton(QStringLiteral("Buradakini Al"), row);
    const int wide = qMax(takeServer->sizeHint().width(), takeHere->sizeHint().width());
    for (QPushButton* b : {takeServer, takeHere}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(wide);  // never squeezed by the wrapping versions beside them
    }
    takeServer->setAccessibleDescription(server->text());
    takeHere->setAccessibleDescription(here->text());
    grid->addWidget(server, 0, 0);
    grid->addWidget(takeServer, 0, 1);
    grid->addWidget(here, 1, 0);
    grid->addWidget(takeHere, 1, 1);
    grid->setColumnStretch(0, 1);
    conflictLayout->insertWidget(conflictLayout->count() - 1, row);
    serverButtons_ << takeServer;
    hereButtons_ << takeHere;
    const QString href = conflict.href;
    connect(takeServer, &QPushButton::clicked, this, [this, href] { resolve(href, Resolution::Take::Server); });
    connect(takeHere, &QPushButton::clicked, this, [this, href] { resolve(href, Resolution::Take::Here); });
}

void SyncWindow::clearConflicts() {
    serverButtons_.clear();
    hereButtons_.clear();
    while (conflictLayout->count() > 1) {
        QLayoutItem* item = conflictLayout->takeAt(0);
        if (item->widget()) item->widget()->deleteLater();
        delete item;
    }
    conflictArea->hide();
    findChild<QLabel*>(QStringLiteral("conflictCaption"))->hide();
}

// A choice for one conflict: the sync runs again with it.
void SyncWindow::resolve(const QString& href, Resolution::Take take) {
    if (isRunning()) return;
    Resolution choice;
    choice.href = href;
    choice.take = take;
    run({choice});
}

void SyncWindow::cancelClicked() {
    if (isRunning()) runner_->cancel();
}

void SyncWindow::closeClicked() { close(); }

// Closing stops a run at its next answer; the password is let go.
void SyncWindow::done(int result) {
    ++session_;
    if (isRunning()) runner_->cancel();
    password_.clear();
    passwordField->clear();
    QDialog::done(result);
}

void SyncWindow::setRunning(bool running) {
    cancelButton->setEnabled(running);
    closeButton->setEnabled(!running);
    startButton->setEnabled(!running);
    passwordField->setEnabled(!running);
    if (running) cancelButton->setFocus();
    else closeButton->setFocus();
}

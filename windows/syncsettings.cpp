#include "windows/syncsettings.h"

#include "book/phonebook.h"
#include "store/storeerror.h"
#include "sync/discovery.h"
#include "sync/synclink.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString PlainHttpNote = QStringLiteral("Bu adres şifresiz (http): parola ağda açık gider.");
const QString NoKeyringNote = QStringLiteral("Parola saklanamıyor (anahtarlık yok): her eşitlemede sorulur.");
const QString TryFirst = QStringLiteral("Adres defterlerini bulmak için \"Bağlantıyı Dene\"ye basın.");

// The group's link; none when it has none or its file cannot be read (then
// the error is shown).
std::optional<synclink::Link> linkOf(const QString& group) {
    try {
        return synclink::of(group);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return std::nullopt;
    }
}

// The address as typed, with https:// put before it when it names no scheme.
QUrl typedAddress(const QString& text) {
    const QString address = text.trimmed();
    if (address.isEmpty()) return QUrl();
    return QUrl(address.contains(QStringLiteral("://")) ? address : QStringLiteral("https://") + address);
}

// The last part of an address book's address, as its name where none is known.
QString lastPart(const QUrl& url) {
    const QStringList parts = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.isEmpty() ? url.toString() : parts.constLast();
}

QLabel* note(QWidget* parent, const QString& text) {
    QLabel* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

}  // namespace

QString lastSyncText(const QString& group) {
    const std::optional<synclink::Link> link = linkOf(group);
    if (!link || !link->lastSync.isValid()) return QStringLiteral("Son eşitleme: hiç");
    return QStringLiteral("Son eşitleme: ") + link->lastSync.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

SyncSettingsWindow::SyncSettingsWindow(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("syncSettingsWindow"));
    setWindowTitle(QStringLiteral("Eşitleme Ayarları"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void SyncSettingsWindow::buildWidgets() {
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);  // as large as its rows, shown or not
    buildFields();
    buildButtons();
    connect(groupChooser, &QComboBox::currentIndexChanged, this, &SyncSettingsWindow::groupChosen);
    connect(addressField, &QLineEdit::textEdited, this, &SyncSettingsWindow::addressEdited);
    connect(tryButton, &QPushButton::clicked, this, &SyncSettingsWindow::tryClicked);
    connect(saveButton, &QPushButton::clicked, this, &SyncSettingsWindow::saveClicked);
    connect(removeButton, &QPushButton::clicked, this, &SyncSettingsWindow::removeClicked);
    connect(closeButton, &QPushButton::clicked, this, &SyncSettingsWindow::closeClicked);
}

void SyncSettingsWindow::buildFields() {
    auto* form = fields_ = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    groupChooser = new QComboBox(this);
    groupChooser->setEditable(false);
    form->addRow(QStringLiteral("Grup:"), groupChooser);
    name(groupChooser, QStringLiteral("Grup"));
    addressField = new QLineEdit(this);
    addressField->setMinimumWidth(340);
    addressField->setPlaceholderText(QStringLiteral("https://sunucu.ornek/dav/"));
    form->addRow(QStringLiteral("Sunucu adresi:"), addressField);
    plainHttpNote = note(this, PlainHttpNote);
    form->addRow(QString(), plainHttpNote);
    userField = new QLineEdit(this);
    form->addRow(QStringLiteral("Kullanıcı adı:"), userField);
    passwordField = new QLineEdit(this);
    passwordField->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Parola:"), passwordField);
    noKeyringNote = note(this, NoKeyringNote);
    form->addRow(QString(), noKeyringNote);
    tryButton = new QPushButton(standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Bağlantıyı &Dene"), this);
    auto* tryRow = new QHBoxLayout;
    tryRow->addWidget(tryButton);
    tryRow->addStretch();
    form->addRow(QString(), tryRow);
    bookChooser = new QComboBox(this);
    bookChooser->setEditable(false);
    form->addRow(QStringLiteral("Adres defteri:"), bookChooser);
    name(bookChooser, QStringLiteral("Adres defteri"));
    form->setRowVisible(plainHttpNote, false);
    form->setRowVisible(noKeyringNote, false);
    static_cast<QVBoxLayout*>(layout())->addLayout(form);

    statusLabel = note(this, QString());
    statusLabel->setMinimumHeight(34);
    statusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lastSyncLabel = note(this, QString());
    static_cast<QVBoxLayout*>(layout())->addWidget(statusLabel);
    static_cast<QVBoxLayout*>(layout())->addWidget(lastSyncLabel);
}

void SyncSettingsWindow::buildButtons() {
    saveButton = new QPushButton(standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Kaydet"), this);
    removeButton = new QPushButton(standardIcon(QStyle::SP_TrashIcon), QStringLiteral("Bağlantıyı Kaldır"), this);
    closeButton = new QPushButton(standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Kapat"), this);
    saveButton->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : {saveButton, removeButton, closeButton}) row->addWidget(b);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void SyncSettingsWindow::execute() {
    ensureBuilt();
    {
        const QSignalBlocker quiet(groupChooser);
        groupChooser->clear();
        addGroupNames(groupChooser, book.groupNames(), false);
        groupChooser->setCurrentIndex(qMax(0, groupChooser->findText(book.activeGroup())));
    }
    groupChosen();
    addressField->setFocus();
    execModal(this);
}

// The chosen group's link shown; its password asked of the keyring only to
// know whether one is kept there.
void SyncSettingsWindow::groupChosen() {
    ++session_;
    if (discovery_) discovery_->cancel();
    setBusy(false);
    group_ = groupChooser->currentText();
    const std::optional<synclink::Link> link = linkOf(group_);
    hasLink_ = link.has_value();
    linkedBook_ = link ? link->book : QUrl();
    addressField->setText(link ? link->book.toString() : QString());
    userField->setText(link ? link->user : QString());
    passwordField->clear();
    passwordField->setPlaceholderText(QString());
    storedPassword_.clear();
    if (link) fillBooks({link->book}, {lastPart(link->book)}, link->book);
    else bookChooser->clear();
    booksFor_ = linkedBook_;
    addressEdited();
    statusLabel->setText(link ? QString() : TryFirst);
    lastSyncLabel->setText(lastSyncText(group_));
    const int session = session_;
    const QPointer<SyncSettingsWindow> self(this);  // the window may be gone by the time the keyring answers
    keyring().read(Keyring::keyFor(group_), [self, session](Keyring::Outcome outcome, const QString& secret) {
        if (self && session == self->session_) self->keyringRead(outcome, secret);
    });
    updateButtons();
}

void SyncSettingsWindow::keyringRead(Keyring::Outcome outcome, const QString& secret) {
    fields_->setRowVisible(noKeyringNote, outcome == Keyring::Outcome::NoKeyring);
    if (outcome != Keyring::Outcome::Done) return;
    storedPassword_ = secret;
    passwordField->setPlaceholderText(QStringLiteral("(anahtarlıkta saklı)"));
}

// The http note follows the address; another address than the linked one
// needs its address books found again before it can be kept.
void SyncSettingsWindow::addressEdited() {
    const QUrl address = typedAddress(addressField->text());
    fields_->setRowVisible(plainHttpNote, address.isValid() && Discovery::isUnencrypted(address));
    if (bookChooser->count() > 0 && address != booksFor_) {
        bookChooser->clear();
        statusLabel->setText(TryFirst);
    }
    updateButtons();
}

bool SyncSettingsWindow::connectionInput(QUrl& address, QString& password) {
    address = typedAddress(addressField->text());
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() || (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))) {
        statusLabel->setText(QStringLiteral("Sunucu adresi geçersiz: https://sunucu/... biçiminde yazın."));
        Beep();
        return false;
    }
    if (userField->text().trimmed().isEmpty()) {
        statusLabel->setText(QStringLiteral("Kullanıcı adını yazın."));
        Beep();
        return false;
    }
    password = passwordField->text().isEmpty() ? storedPassword_ : passwordField->text();
    return true;
}

Discovery* SyncSettingsWindow::startDiscovery(const QUrl& address, const QString& password) {
    auto* discovery = new Discovery(address, userField->text().trimmed(), password, this);
    discovery->setProperty("address", address);
    discovery_ = discovery;
    setBusy(true);
    statusLabel->setText(QStringLiteral("Sunucuya bağlanılıyor..."));
    return discovery;
}

// "Bağlantıyı Dene": the address books behind the address, found in the background.
void SyncSettingsWindow::tryClicked() {
    QUrl address;
    QString password;
    if (isBusy() || !connectionInput(address, password)) return;
    Discovery* discovery = startDiscovery(address, password);
    const int session = session_;
    connect(discovery, &Discovery::finished, this, [this, discovery, session] {
        if (session == session_) discoveryFinished(discovery, false);
        discovery->deleteLater();
    });
    discovery->start();
}

void SyncSettingsWindow::discoveryFinished(Discovery* discovery, bool creating) {
    setBusy(false);
    if (!discovery->failure().isEmpty()) {
        statusLabel->setText(discovery->failure());
        updateButtons();
        tryButton->setFocus();
        return;
    }
    if (creating) {
        if (discovery->books().isEmpty()) statusLabel->setText(QStringLiteral("Adres defteri yapılamadı."));
        else keep(discovery->books().constFirst().url);
        return;
    }
    QList<QUrl> urls;
    QStringList names;
    for (const AddressBook& found : discovery->books()) {
        urls << found.url;
        names << found.name;
    }
    fillBooks(urls, names, linkedBook_);
    booksFor_ = discovery->property("address").toUrl();
    bookChooser->setEnabled(true);
    bookChooser->setFocus();
    statusLabel->setText(urls.isEmpty() ? QStringLiteral("Bağlantı kuruldu; sunucuda adres defteri yok. Kaydet yenisini yapar.")
                                        : QStringLiteral("Bağlantı kuruldu: %1 adres defteri bulundu.").arg(urls.size()));
    updateButtons();
}

// The books as the chooser offers them, by the Turkish order of their names,
// and last a new one named after the group.
void SyncSettingsWindow::fillBooks(const QList<QUrl>& urls, const QStringList& names, const QUrl& chosen) {
    bookChooser->clear();
    for (qsizetype i = 0; i < urls.size(); ++i) {
        const int row = addSorted(bookChooser, names.at(i));
        bookChooser->setItemData(row, urls.at(i));
        bookChooser->setItemData(row, urls.at(i).toString(), Qt::ToolTipRole);
    }
    bookChooser->addItem(QStringLiteral("Yeni adres defteri: ") + group_, QUrl());
    const int linked = chosen.isEmpty() ? -1 : bookChooser->findData(chosen);
    bookChooser->setCurrentIndex(qMax(0, linked));  // else the first found, or the new one when none was
}

// "Kaydet": the chosen address book linked, a new one made first.
void SyncSettingsWindow::saveClicked() {
    QUrl address;
    QString password;
    if (isBusy() || bookChooser->count() == 0 || !connectionInput(address, password)) return;
    const QUrl chosen = bookChooser->currentData().toUrl();
    if (!chosen.isEmpty()) {
        keep(chosen);
        return;
    }
    Discovery* discovery = startDiscovery(address, password);
    statusLabel->setText(QStringLiteral("Adres defteri yapılıyor..."));
    const int session = session_;
    connect(discovery, &Discovery::finished, this, [this, discovery, session] {
        if (session == session_) discoveryFinished(discovery, true);
        discovery->deleteLater();
    });
    discovery->create(group_);
}

// The link kept, and a typed password put in the keyring (nowhere else).
void SyncSettingsWindow::keep(const QUrl& bookUrl) {
    const QString user = userField->text().trimmed();
    try {
        synclink::keep(group_, bookUrl, user);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return;
    }
    hasLink_ = true;
    linkedBook_ = bookUrl;
    const int at = bookChooser->findData(bookUrl);
    if (at < 0) fillBooks({bookUrl}, {lastPart(bookUrl)}, bookUrl);
    else bookChooser->setCurrentIndex(at);
    addressField->setText(bookUrl.toString());
    booksFor_ = bookUrl;
    addressEdited();
    lastSyncLabel->setText(lastSyncText(group_));
    statusLabel->setText(QStringLiteral("Kaydedildi: %1").arg(bookUrl.toString()));
    const QString password = passwordField->text();
    passwordField->clear();
    updateButtons();
    if (password.isEmpty()) return;
    storedPassword_ = password;
    const int session = session_;
    const QPointer<SyncSettingsWindow> self(this);  // the window may be gone by the time the keyring answers
    keyring().store(Keyring::keyFor(group_), password, [self, session](Keyring::Outcome outcome, const QString&) {
        if (self && session == self->session_) self->passwordKept(outcome);
    });
}

void SyncSettingsWindow::passwordKept(Keyring::Outcome outcome) {
    fields_->setRowVisible(noKeyringNote, outcome == Keyring::Outcome::NoKeyring);
    if (outcome == Keyring::Outcome::Done) {
        passwordField->setPlaceholderText(QStringLiteral("(anahtarlıkta saklı)"));
        statusLabel->setText(statusLabel->text() + QStringLiteral("\nParola anahtarlıkta saklandı."));
    } else {
        statusLabel->setText(statusLabel->text() + QStringLiteral("\nParola saklanamadı: her eşitlemede sorulur."));
    }
}

// "Bağlantıyı Kaldır": asked first; the link and the password forgotten, the
// server's address book left as it is.
void SyncSettingsWindow::removeClicked() {
    if (!hasLink_ || isBusy()) return;
    if (!askYesNo(this, QStringLiteral("\"%1\" grubunun adres defteriyle bağlantısı kaldırılsın mı?\n"
                                       "Sunucudaki adres defteri ve kartları silinmez.")
                            .arg(group_)))
        return;
    try {
        synclink::forget(group_);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return;
    }
    keyring().forget(Keyring::keyFor(group_), [](Keyring::Outcome, const QString&) {});
    groupChosen();
    statusLabel->setText(QStringLiteral("Bağlantı kaldırıldı."));
}

void SyncSettingsWindow::closeClicked() { close(); }

void SyncSettingsWindow::done(int result) {
    ++session_;  // answers still on their way are let go
    if (discovery_) discovery_->cancel();
    storedPassword_.clear();
    passwordField->clear();
    setBusy(false);
    QDialog::done(result);
}

void SyncSettingsWindow::setBusy(bool busy) {
    if (!busy) discovery_ = nullptr;
    tryButton->setEnabled(!busy);
    groupChooser->setEnabled(!busy);
    updateButtons();
}

void SyncSettingsWindow::updateButtons() {
    const bool busy = !discovery_.isNull();
    saveButton->setEnabled(!busy && bookChooser->count() > 0);
    bookChooser->setEnabled(!busy && bookChooser->count() > 0);
    removeButton->setEnabled(!busy && hasLink_);
}

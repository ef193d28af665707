#include "ui/controls.h"

#include "store/codepage.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/stringlist.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QIconEngine>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QValidator>

namespace {

class HoldableText : public QValidator {
public:
    HoldableText(QObject* parent, int maxLength = 0) : QValidator(parent), maxLength_(maxLength) {}
    State validate(QString& input, int& pos) const override {
        if (!codepage::canHold(input)) {
            Beep();
            return Invalid;
        }
        if (maxLength_ > 0 && input.size() > maxLength_) {
            // What was just typed or pasted ends at the cursor: its end is cut.
            const int excess = int(input.size()) - maxLength_;
            const int from = pos >= excess ? pos - excess : maxLength_;
            input.remove(from, excess);
            pos = from;
            Beep();
        }
        return Acceptable;
    }

private:
    int maxLength_;
};

bool isDigitOrBackspace(QChar c) { return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\b'); }

class DigitFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: return filterKey(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod: {
            const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
            for (QChar c : commit)
                if (!isDigitOrBackspace(c)) return refuse();
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            // the middle button pastes the selection
            return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
        default: return QObject::eventFilter(watched, event);
        }
    }

private:
    static bool refuse() {
        Beep();
        return true;
    }

    static bool filterKey(QKeyEvent* e) {
        switch (e->key()) {
        // keys that move, delete, confirm or leave: not characters
        case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Tab: case Qt::Key_Backtab:
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Delete: case Qt::Key_Backspace:
        case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta:
        case Qt::Key_AltGr: case Qt::Key_CapsLock: case Qt::Key_NumLock: case Qt::Key_Escape:
            return false;
        case Qt::Key_Insert:
            // Shift+Insert pastes, Ctrl+Insert copies
            return e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier) ? refuse() : false;
        default: break;
        }
        if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return refuse();
        const QString t = e->text();
        if (t.isEmpty()) return false;  // a key that types no character
        for (QChar c : t)
            if (!isDigitOrBackspace(c)) return refuse();
        return false;
    }
};

QString itemText(const QComboBox* b, int i) { return b->itemText(i); }
QString itemText(const QListWidget* l, int i) { return l->item(i)->text(); }

template <typename Box>
int upperBound(const Box* box, int count, const QString& text) {
    const QByteArray key = codepage::encode(text);
    int lo = 0, hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (collation::compare(codepage::encode(itemText(box, mid)), key) <= 0) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

}  // namespace

void guardText(QLineEdit* field) { field->setValidator(new HoldableText(field)); }

void guardText(QLineEdit* field, int maxLength) {
    const QValidator* old = field->validator();
    field->setValidator(new HoldableText(field, maxLength));
    if (old && old->parent() == field) delete old;
}

void guardText(QComboBox* editableBox) { editableBox->setValidator(new HoldableText(editableBox)); }

void digitsOnly(QLineEdit* field) {
    field->installEventFilter(new DigitFilter(field));
    field->setAcceptDrops(false);
    field->setContextMenuPolicy(Qt::NoContextMenu);
    field->setInputMethodHints(Qt::ImhDigitsOnly);
}

int addSorted(QComboBox* box, const QString& text) {
    const int row = upperBound(box, box->count(), text);
    box->insertItem(row, text);
    return row;
}

int addSorted(QListWidget* list, const QString& text) {
    const int row = upperBound(list, list->count(), text);
    list->insertItem(row, text);
    return row;
}

int lookupItem(const QListWidget* list, const QString& text) {
    if (text.isEmpty()) return -1;
    const QByteArray key = codepage::encode(text);
    for (int i = 0; i < list->count(); ++i)
        if (collation::equal(codepage::encode(list->item(i)->text()), key)) return i;
    return -1;
}

QStatusBar* emptyStatusBar(QWidget* window, const QRect& place) {
    auto* bar = new QStatusBar(window);
    bar->setGeometry(place);
    bar->setSizeGripEnabled(false);
    bar->addWidget(sunkenPanel(bar, QString(), QRect()), 1);
    return bar;
}

void name(QWidget* control, const QString& accessibleName) { control->setAccessibleName(accessibleName); }

const QString UnusableGroupNameMessage =
    QStringLiteral("Grup adında \\ / : * ? \" < > | işaretleri ve denetim karakterleri kullanılamaz! Başka bir isim girin.");

bool acceptGroupName(const QString& group) {
    if (datafolder::isPortableGroupName(group) && datafolder::namesGroupFile(group)) return true;
    ShowMessage(UnusableGroupNameMessage);
    return false;
}

const QColor Cream(255, 251, 240);
const QColor Maroon(128, 0, 0);
const QColor SkyBlue(166, 202, 240);
const QColor Silver(192, 192, 192);
const QColor Face(239, 239, 239);
const QColor DisabledText(120, 120, 120);

QLabel* label(QWidget* parent, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLabel* label(QWidget* parent, const QString& text, const QRect& place) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(place);
    return l;
}

void paint(QWidget* w, QPalette::ColorRole role, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(role, color);
    w->setPalette(p);
}

void fixedBase(QWidget* w, const QColor& base) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, DisabledText);
    w->setPalette(p);
}

void cream(QWidget* w) { fixedBase(w, Cream); }

void fixedText(QWidget* w, const QColor& text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Face);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Disabled, QPalette::WindowText, DisabledText);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void fixedButtonText(QPushButton* button, const QColor& text) {
    QPalette p = button->palette();
    p.setColor(QPalette::Button, Face);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, DisabledText);
    button->setPalette(p);
}

namespace {

// Paints the ring after the widget has painted itself.
class FocusRing : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: w->update(); return false;
        case QEvent::Paint: break;
        default: return false;
        }
        w->removeEventFilter(this);
        QCoreApplication::sendEvent(w, event);
        w->installEventFilter(this);
        // as the style does it: once the keyboard has moved the focus in this window
        if (w->hasFocus() && w->window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
            QPainter p(w);
            QPen pen(w->palette().color(QPalette::Highlight), 2);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(w->rect()).adjusted(1, 1, -1, -1));
        }
        return true;
    }
};

class LinkKeys : public QObject {
public:
    LinkKeys(QObject* parent, std::function<void()> click) : QObject(parent), click_(std::move(click)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool press = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
        if (!press || key->modifiers() & ~Qt::KeypadModifier) return false;
        click_();
        return true;
    }

private:
    std::function<void()> click_;
};

}  // namespace

void showFocus(QWidget* w) { w->installEventFilter(new FocusRing(w)); }

void keyboardLink(QLabel* link, std::function<void()> click) {
    link->setFocusPolicy(Qt::StrongFocus);
    showFocus(link);
    link->installEventFilter(new LinkKeys(link, std::move(click)));
}

void bold(QWidget* w) {
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

QLabel* sunkenPanel(QWidget* parent, const QString& text, const QRect& place) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(place);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}

QProgressBar* gauge(QWidget* parent, const QRect& place, const QString& accessibleName) {
    auto* g = new QProgressBar(parent);
    g->setGeometry(place);
    g->setRange(0, 100);
    g->setValue(0);
    g->setFormat(QStringLiteral("%p%"));
    g->setAlignment(Qt::AlignCenter);
    paint(g, QPalette::Highlight, SkyBlue);
    paint(g, QPalette::HighlightedText, Qt::black);
    name(g, accessibleName);
    return g;
}

void flat(QPushButton* button) {
    button->setFlat(true);
    button->setAutoDefault(false);
    name(button, QString(button->text()).remove(QLatin1Char('&')));
    showFocus(button);
}

void addGroupNames(QListWidget* list, const StringList& groupList) {
    for (int i = 1; i < groupList.count(); ++i) addSorted(list, groupList.text(i));
}

void addGroupNames(QComboBox* box, const StringList& groupList, bool sorted) {
    for (int i = 1; i < groupList.count(); ++i) {
        if (sorted) addSorted(box, groupList.text(i));
        else box->addItem(groupList.text(i));
    }
}

namespace {

// An icon made by its loader when it is first drawn or measured.
class LazyIcon : public QIconEngine {
public:
    explicit LazyIcon(std::function<QIcon()> load) : load_(std::move(load)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    // The size asked of an engine is in device pixels already.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("LazyIcon"); }
    QIconEngine* clone() const override { return new LazyIcon(*this); }

private:
    const QIcon& icon() {
        if (!loaded_) {
            icon_ = load_();
            loaded_ = true;
        }
        return icon_;
    }

    std::function<QIcon()> load_;
    QIcon icon_;
    bool loaded_ = false;
};

// The files behind the style's standard pictures, one a size. Asked for one
// picture, the style reads every size of it at once; this reads only the
// size a button draws. A picture whose files are not where they are looked
// for comes from the style after all, and so does one whose smallest file is
// not square ("apply"): the style draws its disabled form a shade apart.
struct StandardFiles {
    QStyle::StandardPixmap which;
    const char* name;
    QList<int> sizes;
};

const StandardFiles* standardFiles(QStyle::StandardPixmap which) {
    static const StandardFiles table[] = {
        {QStyle::SP_ArrowLeft, "left", {16, 32, 128}},
        {QStyle::SP_ArrowRight, "right", {16, 32, 128}},
        {QStyle::SP_DialogCancelButton, "standardbutton-cancel", {16, 32, 128}},
        {QStyle::SP_DialogCloseButton, "standardbutton-close", {16, 32, 128}},
        {QStyle::SP_DialogHelpButton, "standardbutton-help", {16, 32, 128}},
        {QStyle::SP_DialogOkButton, "standardbutton-ok", {16, 32, 128}},
        {QStyle::SP_DialogOpenButton, "standardbutton-open", {16, 32, 128}},
        {QStyle::SP_DialogResetButton, "standardbutton-clear", {16, 32, 128}},
        {QStyle::SP_DialogSaveButton, "standardbutton-save", {16, 32, 128}},
        {QStyle::SP_DirIcon, "dirclosed", {16, 32, 128}},
        {QStyle::SP_FileDialogContentsView, "filecontents", {16, 32, 128}},
        {QStyle::SP_FileDialogDetailedView, "viewdetailed", {16, 32, 128}},
        {QStyle::SP_FileDialogInfoView, "fileinfo", {16, 32, 128}},
        {QStyle::SP_FileDialogListView, "viewlist", {16, 32, 128}},
        {QStyle::SP_FileDialogNewFolder, "newdirectory", {16, 32, 128}},
        {QStyle::SP_FileIcon, "file", {16, 32, 128}},
        {QStyle::SP_MediaSeekForward, "media-seek-forward", {16, 32}},
        {QStyle::SP_TrashIcon, "trash", {16, 32, 128}},
    };
    for (const StandardFiles& f : table)
        if (f.which == which) return &f;
    return nullptr;
}

QString standardFile(const StandardFiles& files, int size) {
    return QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
        .arg(QLatin1String(files.name))
        .arg(size);
}

// One of the style's standard pictures, each size read when first drawn:
// a QIcon of that one file then draws it, in every mode, as the style's own
// icon of all the sizes would.
class StandardPicture : public QIconEngine {
public:
    explicit StandardPicture(const StandardFiles& files) : files_(files) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        const int side = qRound(qMax(rect.width(), rect.height()) * ratio);
        iconFor(side).paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int chosen = sizeFor(qMax(size.width(), size.height()));
        return QSize(chosen, chosen).boundedTo(size);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return iconFor(qMax(size.width(), size.height())).pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int s : files_.sizes) sizes << QSize(s, s);
        return sizes;
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("StandardPicture"); }
    QIconEngine* clone() const override { return new StandardPicture(*this); }

private:
    // The smallest size that is not smaller than asked, else the largest: the
    // size the style's icon would draw from.
    int sizeFor(int side) const {
        for (int s : files_.sizes)
            if (s >= side) return s;
        return files_.sizes.constLast();
    }
    const QIcon& iconFor(int side) {
        const int s = sizeFor(side);
        auto found = read_.find(s);
        if (found == read_.end()) {
            QIcon icon;
            icon.addFile(standardFile(files_, s), QSize(s, s));
            found = read_.insert(s, icon);
        }
        return found.value();
    }

    StandardFiles files_;
    QMap<int, QIcon> read_;
};

}  // namespace

QIcon lazyIcon(std::function<QIcon()> load) { return QIcon(new LazyIcon(std::move(load))); }

QIcon standardIcon(QStyle::StandardPixmap which) {
    const StandardFiles* files = standardFiles(which);
    if (files && QFile::exists(standardFile(*files, files->sizes.constFirst())))
        return QIcon(new StandardPicture(*files));
    return lazyIcon([which] { return QApplication::style()->standardIcon(which); });
}

QIcon pictureIcon(const QString& fileName) {
    return lazyIcon([fileName] { return QIcon(fileName); });
}

QStringList preferredFamilies(const QStringList& families) {
    // (styles() looks the one family up; hasFamily() lists them all first)
    if (!families.isEmpty() && !QFontDatabase::styles(families.constFirst()).isEmpty()) return {families.constFirst()};
    return families;
}

#include "windows/ALFABE.h"

#include "book/phonebook.h"
#include "store/codepage.h"
#include "store/contacts.h"
#include "ui/contactfields.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace {

const QString CounterCaption = QStringLiteral("Harfte Kayıtlı Kişi:");
constexpr int TabWidth = 38;
constexpr int TabHeight = 21;

// A page's list; a double click anywhere on it, below the rows too, is
// handed on once the list has selected what was under the mouse.
class PageList : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void()> onDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        if (onDoubleClick) onDoubleClick();
    }
};

class LetterTabAccessible : public QAccessibleWidget {
public:
    explicit LetterTabAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::PageTab) {}
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override {
        if (action == pressAction()) button()->click();
        else QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* letterTabsAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("LetterTab")) return new LetterTabAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("LetterTabRows"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::PageTabList);
    return nullptr;
}

QPushButton* pictureButton(QWidget* parent, const QString& picture, const QString& caption, const QRect& place) {
    auto* b = new QPushButton(pictureIcon(picture), caption, parent);
    b->setGeometry(place);
    b->setIconSize(QSize(16, 16));
    b->setCursor(Qt::PointingHandCursor);
    bold(b);
    name(b, caption);
    return b;
}

}  // namespace

// The pictures are in a static library: they are registered by hand.
static void loadPictures() { Q_INIT_RESOURCE(alfabe); }

// ---------------------------------------------------------------------------
// The tabs

LetterTab::LetterTab(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    static const bool installed = (QAccessible::installFactory(letterTabsAccessible), true);
    Q_UNUSED(installed);
    setText(caption);
    setCheckable(true);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::PointingHandCursor);
    name(this, caption);
}

QSize LetterTab::sizeHint() const { return QSize(TabWidth, TabHeight); }

void LetterTab::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionTab opt;
    opt.initFrom(this);
    opt.shape = QTabBar::RoundedNorth;
    opt.text = text();
    opt.position = QStyleOptionTab::Middle;
    if (isChecked()) opt.state |= QStyle::State_Selected;
    if (isDown()) opt.state |= QStyle::State_Sunken;
    p.drawControl(QStyle::CE_TabBarTab, opt);
}

void LetterTab::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && onKey && onKey(event->key())) return;
    QAbstractButton::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// The window

namespace {
// Nine tabs a row, every row in sight, the pages under the last row; the
// contact's box and the buttons to the right of them.
constexpr int RowCount = (alphabet::PageCount + TForm15::TabsPerRow - 1) / TForm15::TabsPerRow;
constexpr int TabsWidth = TForm15::TabsPerRow * TabWidth;
constexpr int PagesTop = 40 + RowCount * TabHeight;
constexpr int PagesHeight = 264;
constexpr int RightColumn = 8 + TabsWidth + 10;
}  // namespace

TForm15::TForm15(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Alfabetik İçerik"));
    setWindowIcon(pictureIcon(QStringLiteral(":/alfabe/icon.png")));
    // no system menu and no close box: the window can only be minimised
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    letterBoundaries.fill(alphabet::None);
    setFixedSize(RightColumn + 176 + 8, PagesTop + PagesHeight + 8);
}

// The thirty pages with their tabs, the contact's box and the buttons.
void TForm15::buildWidgets() {
    loadPictures();
    letterLabel = new QLabel(QStringLiteral("Harfe Git:>>"), this);
    letterLabel->setGeometry(8, 10, 76, 16);
    bold(letterLabel);
    letterChooser = new QComboBox(this);
    letterChooser->setGeometry(84, 7, 52, 21);
    for (int p = 0; p < alphabet::PageCount; ++p) letterChooser->addItem(alphabet::pageCaption(p));
    letterChooser->setMaxVisibleItems(15);  // with the look set in buildPages
    bold(letterChooser);
    letterLabel->setBuddy(letterChooser);
    name(letterChooser, QStringLiteral("Harfe Git"));

    groupLabel = new QLabel(QStringLiteral("İncelenen Grup:"), this);
    totalLabel = new QLabel(QStringLiteral("Toplam Kayıtlı :"), this);
    for (QLabel* l : {groupLabel, totalLabel}) {
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bold(l);
        fixedText(l, Qt::red);
    }
    groupLabel->setGeometry(144, 2, 388, 16);
    totalLabel->setGeometry(144, 18, 388, 16);

    buildTabs();
    infoBox = new QGroupBox(QStringLiteral("Bilgiler"), this);
    infoBox->setGeometry(RightColumn, 40, 176, 168);
    contactFields = new ContactFields(infoBox, QPoint(8, 20), 120, 44, QStringLiteral("         Cep Tel"));
    infoImage = new QLabel(infoBox);
    infoImage->setGeometry(136, 20, 32, 32);

    transferButton = pictureButton(this, QStringLiteral(":/alfabe/transfer.png"), QStringLiteral("Ana Ekrana Aktar"),
                                   QRect(RightColumn, 220, 176, 33));
    transferButton->setEnabled(false);
    exitButton = pictureButton(this, QStringLiteral(":/alfabe/exit.png"), QStringLiteral("Çıkış"),
                               QRect(RightColumn, 260, 176, 33));
    buildPages();
    // Tab goes from the letters to the page's list, then to the contact and the buttons.
    QWidget* before = letterTabs.last();
    for (QListWidget* list : std::as_const(letterPages)) {
        setTabOrder(before, list);
        before = list;
    }

    connect(letterChooser, &QComboBox::activated, this, &TForm15::ComboBox1Change);
    connect(tabGroup, &QButtonGroup::idToggled, this, [this](int p, bool on) {
        if (on) PageControl1Change(p);
    });
    connect(contactFields->numberEdit, &QLineEdit::textChanged, this,
            [this](const QString& t) { transferButton->setEnabled(!t.isEmpty()); });
    connect(transferButton, &QPushButton::clicked, this, &TForm15::BitBtn1Click);
    connect(exitButton, &QPushButton::clicked, this, &TForm15::BitBtn2Click);
}

// The thirty tabs in their rows, and the frame of the pages under them.
void TForm15::buildTabs() {
    tabRows = new LetterTabRows(this);
    tabRows->setGeometry(8, 40, TabsWidth, RowCount * TabHeight);
    name(tabRows, QStringLiteral("Harfler"));
    tabGroup = new QButtonGroup(this);
    tabGroup->setExclusive(true);

    auto* pageFrame = new QFrame(this);
    pageFrame->setGeometry(8, PagesTop, TabsWidth, PagesHeight);
    pageFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pageStack = new QStackedWidget(pageFrame);
    pageStack->setGeometry(2, 2, pageFrame->width() - 4, pageFrame->height() - 4);

    for (int p = 0; p < alphabet::PageCount; ++p) {
        auto* tab = new LetterTab(alphabet::pageCaption(p), tabRows);
        tab->setGeometry((p % TabsPerRow) * TabWidth, (p / TabsPerRow) * TabHeight, TabWidth, TabHeight);
        tab->onKey = [this, p](int key) { return tabKey(p, key); };
        tabGroup->addButton(tab, p);
        letterTabs << tab;
    }
    letterTabs.first()->setChecked(true);
    letterTabs.first()->setFocusPolicy(Qt::StrongFocus);
}

// The pages' lists and counters, and the drop-down's look.
void TForm15::buildPages() {
    // a list that drops down under the box, as long as half the letters,
    // rather than a menu of all thirty running off a small screen
    letterChooser->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    infoImage->setPixmap(QIcon(QStringLiteral(":/alfabe/icon.png")).pixmap(QSize(32, 32), devicePixelRatioF()));
    QFont listFont = font();
    listFont.setBold(true);
    for (int p = 0; p < alphabet::PageCount; ++p) {
        const QString caption = alphabet::pageCaption(p);
        auto* page = new QWidget;
        auto* list = new PageList(page);
        list->setGeometry(6, 6, pageStack->width() - 12, pageStack->height() - 34);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);
        list->setFont(listFont);
        fixedBase(list, SkyBlue);
        list->viewport()->setCursor(Qt::PointingHandCursor);
        name(list, caption);
        list->onDoubleClick = [this] { BitBtn1Click(); };
        connect(list, &QListWidget::itemSelectionChanged, this, [this, p] { ListBoxClick(p); });
        connect(list, &QListWidget::itemClicked, this, [this, p] { ListBoxClick(p); });
        auto* counter = new QLabel(CounterCaption, page);
        counter->setGeometry(8, pageStack->height() - 24, list->width() - 4, 16);
        pageStack->addWidget(page);
        letterPages << list;
        counterLabels << counter;
    }
    pageStack->setCurrentIndex(currentPage());
}

int TForm15::currentPage() const { return tabGroup ? tabGroup->checkedId() : 0; }

void TForm15::setCurrentPage(int page) {
    ensureBuilt();
    letterTabs.at(page)->setChecked(true);
}

// The pages are filled in one step each, from the runs of the group's lines.
void TForm15::showGroup(const QString& group, const StringList& recordLines) {
    ensureBuilt();
    groupLabel->setText(QStringLiteral("İncelenen Grup: ") + group);
    letterBoundaries = alphabet::letterBoundaries(recordLines);
    const alphabet::PageRuns runs = alphabet::pageRuns(letterBoundaries);
    const QList<QByteArray>& lines = recordLines.lines();
    for (int p = 0; p < alphabet::PageCount; ++p) {
        QStringList names;
        names.reserve(runs[p].count);
        for (int c = runs[p].first, end = runs[p].first + runs[p].count; c < end; ++c)
            names << codepage::decode(lines[3 * c]);
        QListWidget* list = letterPages[p];
        list->clear();
        list->addItems(names);
        counterLabels[p]->setText(QStringLiteral("Harfte Kayıtlı Kişi: %1").arg(runs[p].count));
    }
    totalLabel->setText(QStringLiteral("Toplam Kayıtlı :%1").arg(alphabet::totalContacts(recordLines)));
}

void TForm15::execute(const QString& group, const StringList& recordLines) {
    showGroup(group, recordLines);
    execModal(this);
}

// A contact may lack its last lines when the group file came from elsewhere:
// what is not there shows as empty.
void TForm15::ListBoxClick(int page) {
    const QList<QListWidgetItem*> selected = letterPages[page]->selectedItems();
    if (selected.isEmpty()) return;
    const int c = alphabet::contactOfRow(letterBoundaries, page, letterPages[page]->row(selected.first()));
    const StringList& lines = book.recordLines();
    contactFields->showContact(contacts::lineOrEmpty(lines, 3 * c), contacts::lineOrEmpty(lines, 3 * c + 1),
                        contacts::lineOrEmpty(lines, 3 * c + 2));
}

void TForm15::ComboBox1Change(int index) {
    if (index >= 0) setCurrentPage(index);
}

void TForm15::PageControl1Change(int page) {
    pageStack->setCurrentIndex(page);
    letterChooser->setCurrentIndex(page);
    // Only the active tab is a Tab stop; the arrows reach the others.
    for (LetterTab* tab : std::as_const(letterTabs))
        tab->setFocusPolicy(tab->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(letterTabs[page], changed);
    QAccessible::updateAccessibility(&event);
    contactFields->clear();
}

bool TForm15::tabKey(int page, int key) {
    int to = page;
    switch (key) {
    case Qt::Key_Left: to = page - 1; break;
    case Qt::Key_Right: to = page + 1; break;
    case Qt::Key_Up: to = page - TabsPerRow; break;
    case Qt::Key_Down: to = page + TabsPerRow; break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = alphabet::PageCount - 1; break;
    default: return false;
    }
    if (to < 0 || to >= alphabet::PageCount) return true;
    setCurrentPage(to);
    letterTabs[to]->setFocus(Qt::TabFocusReason);
    return true;
}

// The hand-over: NextMatchLines is prepared as a search prepares it, from the
// name the main window showed before, then the contact goes over.
void TForm15::BitBtn1Click() {
    contactFields->handOver(book, true);
    accept();
}

void TForm15::BitBtn2Click() { close(); }

void TForm15::done(int result) {
    setCurrentPage(0);
    contactFields->clear();
    QDialog::done(result);
}

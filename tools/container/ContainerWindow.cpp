// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "ContainerWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDBusMessage>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSaveFile>
#include <QScrollArea>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "ClassRecords.h"
#include "EmbeddedObjectLink.h"
#include "InsertObjectDialog.h"
#include "ObjectView.h"

namespace lutaris::container {
namespace {

constexpr char kAppName[] = "lutaris-container";
constexpr quint32 kToolbarCommand = 59392;
// A container document is read whole; a larger file is not one of ours.
constexpr qint64 kMaxFileBytes = qint64{1} << 31;
// What a server draws: each side 1 to 8192 pixels, 4096 x 4096 in all.
constexpr qint64 kMaxPicturePixels = qint64{4096} * 4096;
// A new object gets room to be edited in, whatever its picture's own size.
constexpr QSize kMinimumExtent(360, 140);

QSize ClampExtent(QSize size) {
    int width = std::clamp(size.width(), 1, kMaxObjectSide);
    int height = std::clamp(size.height(), 1, kMaxObjectSide);
    while (qint64{width} * height > kMaxPicturePixels) {
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    return {width, height};
}

// HIMETRIC is a hundredth of a millimetre; the screen has 96 pixels an inch.
QSize PixelsOf(QSize himetric) {
    return ClampExtent(QSize(int(std::lround(himetric.width() * 96.0 / 2540.0)),
                             int(std::lround(himetric.height() * 96.0 / 2540.0))));
}

QByteArray ToBytes(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

std::vector<std::uint8_t> FromBytes(const QByteArray& bytes) {
    return {bytes.begin(), bytes.end()};
}

}  // namespace

ContainerWindow::ContainerWindow() {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    page_ = new QWidget;
    page_->setAutoFillBackground(true);
    page_->installEventFilter(this);
    auto* layout = new QVBoxLayout(page_);
    text_ = new QTextEdit;
    text_->setAcceptRichText(false);
    text_->setPlaceholderText(
        tr("Type the document's text here; Insert > Object embeds a tablature."));
    text_->setMinimumHeight(90);
    text_->setMaximumHeight(140);
    text_->viewport()->installEventFilter(this);
    connect(text_, &QTextEdit::textChanged, this, [this] { SetModified(true); });
    layout->addWidget(text_);
    objectsLayout_ = new QVBoxLayout;
    objectsLayout_->setSpacing(12);
    layout->addLayout(objectsLayout_);
    layout->addStretch(1);
    scroll->setWidget(page_);
    setCentralWidget(scroll);
    statusBar()->showMessage(tr("Ready"));

    BuildOwnMenus();
    ShowOwnMenus();
    embedder_.SetForwardingAllowed([this] {
        return active_ && !QApplication::activePopupWidget() &&
               !QApplication::activeModalWidget() && !menuBar()->activeAction();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (active_) embedder_.SetContainerActive(state == Qt::ApplicationActive);
            });
    resize(760, 560);
    UpdateTitle();
}

ContainerWindow::~ContainerWindow() = default;

void ContainerWindow::Log(const QString& line) const {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

// ---- menus and toolbar ---------------------------------------------------------------------

void ContainerWindow::BuildOwnMenus() {
    fileMenu_ = new QMenu(tr("&File"), this);
    fileMenu_->addAction(tr("&New"), QKeySequence::New, this, [this] { NewDocument(); });
    fileMenu_->addAction(tr("&Open..."), QKeySequence::Open, this, [this] { OpenDocument(); });
    fileMenu_->addAction(tr("&Save"), QKeySequence::Save, this, [this] { SaveDocument(); });
    fileMenu_->addAction(tr("Save &As..."), this, [this] { SaveDocumentAs(); });
    fileMenu_->addSeparator();
    fileMenu_->addAction(tr("E&xit"), this, [this] { close(); });

    editMenu_ = new QMenu(tr("&Edit"), this);
    objectMenu_ = editMenu_->addMenu(tr("&Object"));
    connect(editMenu_, &QMenu::aboutToShow, this, [this] { UpdateObjectMenu(); });

    insertMenu_ = new QMenu(tr("&Insert"), this);
    insertMenu_->addAction(tr("&Object..."), this, [this] {
        InsertObjectDialog dialog(FindInsertableClasses(), this);
        if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
        InsertObject(dialog.Chosen()->progId, 0);
    });
    UpdateObjectMenu();
}

void ContainerWindow::ShowOwnMenus() {
    for (QMenu* menu : remoteMenus_) menu->deleteLater();
    remoteMenus_.clear();
    menuBar()->clear();
    menuBar()->addMenu(fileMenu_);
    menuBar()->addMenu(editMenu_);
    menuBar()->addMenu(insertMenu_);
}

// The object's menu as the bus gives it, with the container's groups between the object's
// first groups (Edit, View) and its last (Help).
void ContainerWindow::ShowMergedMenus() {
    QDBusMessage reply;
    QList<RemoteMenu> menus;
    if (!active_ || !active_->link->GetMenu(reply) || !ParseMenu(reply, menus)) return;
    for (QMenu* menu : remoteMenus_) menu->deleteLater();
    remoteMenus_.clear();
    menuBar()->clear();
    int separators = 0;
    for (int i = 0; i < menus.size(); ++i) {
        if (menus[i].IsGroupSeparator()) {
            if (++separators == 1) {
                menuBar()->addMenu(fileMenu_);
                menuBar()->addMenu(insertMenu_);
            }
            continue;
        }
        auto* menu = new QMenu(menus[i].title, this);
        FillRemoteMenu(menu, menus[i].items);
        connect(menu, &QMenu::aboutToShow, this, [this, menu, i] { RefreshRemoteMenu(menu, i); });
        connect(menu, &QMenu::aboutToHide, this, [this] {
            if (active_ && active_->link) active_->link->Highlight(0);
        });
        remoteMenus_ << menu;
        menuBar()->addMenu(menu);
    }
    if (separators == 0) {
        menuBar()->addMenu(fileMenu_);
        menuBar()->addMenu(insertMenu_);
    }
}

// Enabled and checked states change with the object's selection: read them when a menu opens.
void ContainerWindow::RefreshRemoteMenu(QMenu* menu, int index) {
    if (index < 0 || !active_ || !active_->link) return;
    QDBusMessage reply;
    QList<RemoteMenu> menus;
    if (!active_->link->GetMenu(reply) || !ParseMenu(reply, menus) || index >= menus.size()) {
        return;
    }
    FillRemoteMenu(menu, menus[index].items);
}

void ContainerWindow::FillRemoteMenu(QMenu* menu, const QList<RemoteItem>& items) {
    QPointer<EmbeddedObjectLink> guard(active_->link);
    FillMenu(
        menu, items,
        [this, guard](int id) {
            if (guard && !guard->Command(quint32(id))) statusBar()->showMessage(guard->LastError());
        },
        [guard](int id) {
            if (guard) guard->Highlight(quint32(id));
        });
}

void ContainerWindow::BuildObjectToolbar() {
    DropObjectToolbar();
    QDBusMessage reply;
    QList<RemoteButton> buttons;
    if (!active_ || !active_->link->GetToolbar(reply) || !ParseToolbar(reply, buttons)) return;
    QPointer<EmbeddedObjectLink> guard(active_->link);
    objectToolbar_ = new QToolBar(tr("Object"), this);
    objectToolbar_->setObjectName(QStringLiteral("objectToolbar"));
    objectToolbar_->setIconSize(QSize(16, 15));
    objectToolbar_->installEventFilter(this);
    for (const RemoteButton& button : buttons) {
        if (button.id == 0) {
            objectToolbar_->addSeparator();
            continue;
        }
        QPixmap image;
        image.loadFromData(button.png, "PNG");
        QAction* action = objectToolbar_->addAction(QIcon(image), button.tooltip);
        action->setToolTip(button.tooltip);
        const quint32 id = quint32(button.id);
        connect(action, &QAction::triggered, this, [this, guard, id] {
            if (guard && !guard->Command(id)) statusBar()->showMessage(guard->LastError());
        });
        connect(action, &QAction::hovered, this, [guard, id] {
            if (guard) guard->Highlight(id);
        });
    }
    addToolBar(Qt::TopToolBarArea, objectToolbar_);
    objectToolbar_->show();
    objectToolbarShown_ = true;
    MirrorToolbarState();
}

void ContainerWindow::DropObjectToolbar() {
    if (!objectToolbar_) return;
    removeToolBar(objectToolbar_);
    objectToolbar_->deleteLater();
    objectToolbar_ = nullptr;
}

// The object's View > Toolbar decides whether its toolbar shows on the container's frame.
void ContainerWindow::MirrorToolbarState() {
    if (!active_ || !active_->link || !objectToolbar_) return;
    QDBusMessage reply;
    QList<RemoteMenu> menus;
    if (!active_->link->GetMenu(reply) || !ParseMenu(reply, menus)) return;
    for (const RemoteMenu& menu : menus) {
        for (const RemoteItem& item : menu.items) {
            if (item.id == int(kToolbarCommand) && item.checkable &&
                objectToolbarShown_ != item.checked) {
                objectToolbarShown_ = item.checked;
                objectToolbar_->setVisible(item.checked);
                Log(item.checked ? QStringLiteral("object toolbar shown")
                                 : QStringLiteral("object toolbar hidden"));
            }
        }
    }
}

void ContainerWindow::UpdateObjectMenu() {
    objectMenu_->clear();
    ClassRecord record;
    if (!selected_ || !FindClass(QString::fromStdString(selected_->record.progId), record)) {
        objectMenu_->setTitle(tr("&Object"));
        objectMenu_->setEnabled(false);
        return;
    }
    objectMenu_->setTitle(tr("%1 &Object").arg(record.shortName));
    objectMenu_->setEnabled(true);
    QList<QPair<int, QString>> verbs = record.verbs;
    if (verbs.isEmpty()) verbs = {{0, tr("&Edit")}, {1, tr("&Open")}};
    for (const auto& [verb, text] : verbs) {
        const int number = verb;
        objectMenu_->addAction(text, this, [this, number] {
            if (selected_) Activate(selected_, number);
        });
    }
}

// ---- the document ------------------------------------------------------------------------------

QString ContainerWindow::DocumentName() const {
    return path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
}

void ContainerWindow::UpdateTitle() {
    setWindowTitle(DocumentName() + QStringLiteral("[*] - ") + QLatin1String(kAppName));
    setWindowModified(modified_);
}

void ContainerWindow::SetModified(bool modified) {
    modified_ = modified;
    UpdateTitle();
}

bool ContainerWindow::MaybeSave() {
    if (!modified_) return true;
    const auto answer = QMessageBox::question(
        this, QLatin1String(kAppName), tr("Save the changes to %1?").arg(DocumentName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) return false;
    return answer == QMessageBox::Discard || SaveDocument();
}

void ContainerWindow::CloseLinks() {
    DeactivateActive();
    for (auto& entry : entries_) {
        if (entry->link) {
            entry->link->Close();
            DropLink(entry.get());
        }
    }
}

void ContainerWindow::ClearDocument() {
    CloseLinks();
    active_ = nullptr;
    selected_ = nullptr;
    for (auto& entry : entries_) delete entry->view;
    entries_.clear();
    text_->blockSignals(true);
    text_->clear();
    text_->blockSignals(false);
    UpdateObjectMenu();
}

void ContainerWindow::NewDocument() {
    if (!MaybeSave()) return;
    ClearDocument();
    path_.clear();
    SetModified(false);
}

void ContainerWindow::OpenDocument() {
    if (!MaybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open"), QString(), tr("Container documents (*.ltc);;All files (*)"));
    if (!path.isEmpty()) Load(path);
}

bool ContainerWindow::OpenOrCreate(const QString& path) {
    if (QFileInfo::exists(path)) return Load(path);
    ClearDocument();
    path_ = QFileInfo(path).absoluteFilePath();
    SetModified(false);
    return true;
}

bool ContainerWindow::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) {
        QMessageBox::warning(this, QLatin1String(kAppName), tr("Cannot read %1.").arg(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::string error;
    std::optional<ContainerDocument> document = ReadContainerFile(
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())}, &error);
    if (!document) {
        QMessageBox::warning(
            this, QLatin1String(kAppName),
            tr("%1 is not a container document (%2).").arg(path, QString::fromStdString(error)));
        return false;
    }
    ClearDocument();
    text_->blockSignals(true);
    text_->setPlainText(QString::fromStdString(document->text));
    text_->blockSignals(false);
    for (EmbeddedObjectRecord& record : document->objects) AddEntry(std::move(record));
    path_ = QFileInfo(path).absoluteFilePath();
    SetModified(false);
    Log(QStringLiteral("opened document %1").arg(path));
    return true;
}

bool ContainerWindow::SaveDocument() {
    if (path_.isEmpty()) return SaveDocumentAs();
    return WriteTo(path_);
}

bool ContainerWindow::SaveDocumentAs() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save As"), path_, tr("Container documents (*.ltc)"));
    if (path.isEmpty()) return false;
    return WriteTo(path);
}

bool ContainerWindow::WriteTo(const QString& path) {
    ContainerDocument document;
    document.text = text_->toPlainText().toStdString();
    for (auto& entry : entries_) {
        // What the server holds now, not what it last told us about.
        if (entry->link && entry->link->Alive()) Take(entry.get());
        document.objects.push_back(entry->record);
    }
    QString failure;
    try {
        const std::vector<std::uint8_t> bytes = WriteContainerFile(document);
        // Written beside the old file and renamed over it: a failed save leaves the old one.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
                qint64(bytes.size()) ||
            !file.commit()) {
            failure = file.errorString();
        }
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    if (!failure.isEmpty()) {
        QMessageBox::warning(this, QLatin1String(kAppName),
                             tr("Failed to save %1: %2").arg(path, failure));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    SetModified(false);
    for (auto& entry : entries_) {
        if (entry->link) entry->link->SetHostNames(QLatin1String(kAppName), DocumentName());
    }
    Log(QStringLiteral("saved %1").arg(path));
    return true;
}

void ContainerWindow::closeEvent(QCloseEvent* event) {
    if (!MaybeSave()) {
        event->ignore();
        return;
    }
    CloseLinks();
    event->accept();
}

// ---- objects -----------------------------------------------------------------------------------

ContainerWindow::Entry* ContainerWindow::AddEntry(EmbeddedObjectRecord record) {
    auto entry = std::make_unique<Entry>();
    entry->record = std::move(record);
    entry->view = new ObjectView(page_);
    entry->view->SetExtent(QSize(entry->record.width, entry->record.height));
    entry->view->SetPicture(ToBytes(entry->record.picture));
    connect(entry->view, &ObjectView::Pressed, this, [this](ObjectView* view) {
        Entry* pressed = EntryOf(view);
        if (active_ && active_ != pressed) DeactivateActive();
        Select(pressed);
    });
    connect(entry->view, &ObjectView::DoubleClicked, this,
            [this](ObjectView* view) { Activate(EntryOf(view), 0); });
    objectsLayout_->addWidget(entry->view, 0, Qt::AlignLeft);
    entry->view->show();
    entries_.push_back(std::move(entry));
    return entries_.back().get();
}

int ContainerWindow::IndexOf(const Entry* entry) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].get() == entry) return int(i);
    }
    return -1;
}

ContainerWindow::Entry* ContainerWindow::EntryOf(const ObjectView* view) const {
    for (const auto& entry : entries_) {
        if (entry->view == view) return entry.get();
    }
    return nullptr;
}

void ContainerWindow::Select(Entry* entry) {
    if (selected_) selected_->view->SetSelected(false);
    selected_ = entry;
    if (selected_) selected_->view->SetSelected(true);
    UpdateObjectMenu();
}

bool ContainerWindow::InsertObject(const QString& progId, int verb) {
    EmbeddedObjectRecord record;
    record.progId = progId.toStdString();
    record.width = kMinimumExtent.width();
    record.height = kMinimumExtent.height();
    Entry* entry = AddEntry(std::move(record));
    if (!EnsureLink(entry)) {
        delete entry->view;
        entries_.pop_back();
        return false;
    }
    QSize himetric;
    if (entry->link->GetExtent(himetric)) {
        const QSize extent = ClampExtent(PixelsOf(himetric).expandedTo(kMinimumExtent));
        entry->record.width = extent.width();
        entry->record.height = extent.height();
        entry->view->SetExtent(extent);
    }
    Take(entry);
    Select(entry);
    SetModified(true);
    Log(QStringLiteral("inserted %1").arg(IndexOf(entry)));
    Activate(entry, verb);
    return true;
}

// The link goes later (this may run inside one of its signals); its signals, already queued,
// must not reach an entry that is gone by then.
void ContainerWindow::DropLink(Entry* entry) {
    if (!entry->link) return;
    entry->link->disconnect(this);
    entry->link->deleteLater();
    entry->link = nullptr;
}

bool ContainerWindow::ActivateObject(int index, int verb) {
    if (index < 0 || std::size_t(index) >= entries_.size()) return false;
    Activate(entries_[std::size_t(index)].get(), verb);
    return true;
}

bool ContainerWindow::EnsureLink(Entry* entry) {
    if (entry->link && entry->link->Alive()) return true;
    DropLink(entry);
    const QString progId = QString::fromStdString(entry->record.progId);
    ClassRecord record;
    if (!FindClass(progId, record)) {
        QMessageBox::warning(this, QLatin1String(kAppName),
                             tr("The class %1 is not registered.").arg(progId));
        return false;
    }
    QString error;
    EmbeddedObjectLink* link = EmbeddedObjectLink::Create(record.busName, &error, this);
    const QByteArray storage = ToBytes(entry->record.storage);
    const bool ready = link && (storage.isEmpty() ? link->InitNew() : link->Load(storage)) &&
                       link->SetHostNames(QLatin1String(kAppName), DocumentName());
    if (!ready) {
        if (link) error = link->LastError();
        delete link;
        QMessageBox::warning(this, QLatin1String(kAppName),
                             tr("The object could not be started: %1").arg(error));
        return false;
    }
    entry->link = link;
    Log(QStringLiteral("server %1 %2").arg(IndexOf(entry)).arg(link->ServerName()));
    connect(link, &EmbeddedObjectLink::DataChanged, this, [this, entry] { ScheduleTake(entry); });
    connect(link, &EmbeddedObjectLink::Saved, this, [this, entry] { ScheduleTake(entry); });
    connect(link, &EmbeddedObjectLink::Closed, this, [this, entry] {
        entry->open = false;
        entry->view->SetOpen(false);
        ScheduleTake(entry);
    });
    connect(link, &EmbeddedObjectLink::Deactivated, this, [this, entry] { EndInPlace(entry); });
    connect(link, &EmbeddedObjectLink::RequestRect, this,
            [this, entry](QRect rect) { OnRequestRect(entry, rect); });
    connect(link, &EmbeddedObjectLink::MenuChanged, this, [this, entry] {
        if (entry == active_) QTimer::singleShot(0, this, [this] { MirrorToolbarState(); });
    });
    connect(link, &EmbeddedObjectLink::StatusText, this, [this, entry](const QString& text) {
        if (entry == active_) statusBar()->showMessage(text);
    });
    connect(link, &EmbeddedObjectLink::Died, this, [this, entry] { OnDied(entry); });
    return true;
}

void ContainerWindow::Activate(Entry* entry, int verb) {
    if (!entry) return;
    if (active_ && active_ != entry) DeactivateActive();
    Select(entry);
    if (!EnsureLink(entry)) return;
    const QRect rect(0, 0, entry->record.width, entry->record.height);
    const int index = IndexOf(entry);
    if (verb == 0 && entry->inPlace) {
        entry->link->DoVerb(0, entry->view->SiteWindow(), rect);
        return;
    }
    // Another verb on the object being edited in place ends that first.
    if (entry->inPlace) DeactivateActive();
    if (verb != 0 || !embedder_.Available()) {
        if (!entry->link->DoVerb(verb, 0, rect)) {
            statusBar()->showMessage(entry->link->LastError());
            return;
        }
        entry->open = true;
        entry->view->SetOpen(true);
        Log(QStringLiteral("opened %1").arg(index));
        return;
    }
    const quint64 site = entry->view->CreateSite();
    embedder_.Sync();
    if (!entry->link->DoVerb(0, site, rect)) {
        entry->view->DropSite();
        statusBar()->showMessage(entry->link->LastError());
        return;
    }
    const quint64 client = entry->link->GetInPlaceWindow();
    if (client == 0) {
        // The server opened the object in a window of its own instead.
        entry->view->DropSite();
        entry->open = true;
        entry->view->SetOpen(true);
        Log(QStringLiteral("opened %1").arg(index));
        return;
    }
    entry->inPlace = true;
    active_ = entry;
    entry->link->SetObjectRects(rect, rect);
    embedder_.Embed(quint32(site), quint32(client));
    ShowMergedMenus();
    BuildObjectToolbar();
    // Where the object stands once the toolbar has pushed the document down.
    layout()->activate();
    const QPoint at = entry->view->mapToGlobal(QPoint(0, 0));
    Log(QStringLiteral("active %1 in place at %2 %3 %4 %5")
            .arg(index)
            .arg(at.x())
            .arg(at.y())
            .arg(rect.width())
            .arg(rect.height()));
}

// A click outside the object ends its editing; the server's Deactivated signal does the rest.
void ContainerWindow::DeactivateActive() {
    Entry* entry = active_;
    if (!entry) return;
    embedder_.Release(true);
    if (!entry->link || !entry->link->DoVerb(-1, 0, QRect())) EndInPlace(entry);
}

bool ContainerWindow::DropInPlace(Entry* entry) {
    if (!entry->inPlace) return false;
    entry->inPlace = false;
    if (active_ == entry) active_ = nullptr;
    embedder_.Release(false);
    entry->view->DropSite();
    DropObjectToolbar();
    ShowOwnMenus();
    statusBar()->showMessage(tr("Ready"));
    return true;
}

void ContainerWindow::EndInPlace(Entry* entry) {
    if (!DropInPlace(entry)) return;
    ScheduleTake(entry);
    Log(QStringLiteral("deactivated %1").arg(IndexOf(entry)));
}

void ContainerWindow::ScheduleTake(Entry* entry) {
    if (entry->takePending) return;
    entry->takePending = true;
    QTimer::singleShot(0, this, [this, entry] {
        if (IndexOf(entry) < 0) return;  // the document was replaced meanwhile
        entry->takePending = false;
        Take(entry);
    });
}

// The server's storage and picture as they are now: the container keeps both, so the object
// shows and reloads after its server has gone.
void ContainerWindow::Take(Entry* entry) {
    if (!entry->link || !entry->link->Alive()) return;
    QByteArray storage;
    if (entry->link->Save(storage)) {
        const std::vector<std::uint8_t> bytes = FromBytes(storage);
        if (bytes != entry->record.storage) {
            entry->record.storage = bytes;
            SetModified(true);
        }
    }
    // The picture at the object's own size (inside its place in the document), as the object
    // shows itself in place, rather than stretched over the room it has been given.
    const QSize place(entry->record.width, entry->record.height);
    QSize size = place;
    QSize himetric;
    if (entry->link->GetExtent(himetric)) size = PixelsOf(himetric).boundedTo(place);
    QByteArray picture;
    if (entry->link->Draw(QStringLiteral("image/png"), size, picture)) {
        entry->record.picture = FromBytes(picture);
        entry->view->SetPicture(picture);
    }
}

void ContainerWindow::OnDied(Entry* entry) {
    const int index = IndexOf(entry);
    if (index < 0) return;
    DropInPlace(entry);
    entry->open = false;
    entry->view->SetOpen(false);
    DropLink(entry);
    Log(QStringLiteral("server gone %1").arg(index));
}

void ContainerWindow::OnRequestRect(Entry* entry, QRect rect) {
    if (!entry->inPlace || !rect.isValid()) return;
    const QSize extent = ClampExtent(rect.size());
    entry->record.width = extent.width();
    entry->record.height = extent.height();
    entry->view->SetExtent(extent);
    const QRect site(QPoint(0, 0), extent);
    entry->link->SetObjectRects(site, site);
    SetModified(true);
    Log(QStringLiteral("resized %1 to %2 %3")
            .arg(IndexOf(entry))
            .arg(extent.width())
            .arg(extent.height()));
}

bool ContainerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == page_ || watched == text_->viewport())) {
        DeactivateActive();
        if (watched == page_) Select(nullptr);
    }
    if (event->type() == QEvent::Leave && watched == objectToolbar_ && active_ && active_->link) {
        active_->link->Highlight(0);
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace lutaris::container

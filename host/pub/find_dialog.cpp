#include "host/pub/find_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "host/controls/find/find_condition.h"
#include "host/objects/resource_texts.h"
#include "host/pub/find_dialog_buttons.h"
#include "host/pub/find_row_editor.h"

namespace zel {
namespace {

// Room for this many lines before the list scrolls.
constexpr int kVisibleLines = 6;

QLabel* HeaderLabel(const char* key, int width, QWidget* parent) {
    auto* label = new QLabel(ResourceQString(key), parent);
    label->setFixedWidth(width);
    return label;
}

}  // namespace

FindDialog::FindDialog(std::vector<FindField> fields, ModalShower showModal,
                       MessageShower showMessage, QWidget* parent)
    : QDialog(parent),
      fields_(std::move(fields)),
      showModal_(std::move(showModal)),
      showMessage_(std::move(showMessage)),
      lines_(new QVBoxLayout) {
    setWindowTitle(ResourceQString("Zel.HOST.FIND.title"));

    auto* list = new QWidget;
    list->setObjectName(QStringLiteral("lines"));
    list->setLayout(lines_);
    lines_->setContentsMargins(4, 4, 4, 4);
    lines_->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(list);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildHeader());
    layout->addWidget(scroll, 1);
    layout->addWidget(BuildButtons());

    AddRow();
    const int lineHeight = editors_.front()->sizeHint().height() + lines_->spacing();
    scroll->setMinimumHeight(lineHeight * kVisibleLines + 8);
    scroll->setMinimumWidth(list->sizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width() + 4);
}

QWidget* FindDialog::BuildHeader() {
    auto* header = new QWidget(this);
    auto* layout = new QHBoxLayout(header);
    // In line with the editors inside the scroll area's frame and margins.
    layout->setContentsMargins(6, 0, 0, 0);
    layout->addWidget(HeaderLabel("Zel.HOST.FIND.join", FindRowEditor::JoinWidth(), header));
    layout->addWidget(HeaderLabel("Zel.HOST.FIND.field", FindRowEditor::FieldWidth(), header));
    layout->addWidget(
        HeaderLabel("Zel.HOST.FIND.operator", FindRowEditor::OperatorWidth(), header));
    layout->addWidget(HeaderLabel("Zel.HOST.FIND.value", FindRowEditor::ValueWidth(), header));
    layout->addStretch();
    return header;
}

QWidget* FindDialog::BuildButtons() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* add = new QPushButton(ResourceQString("Zel.HOST.FIND.add"), bar);
    add->setObjectName(QStringLiteral("add"));
    add->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, [this] { AddRow(); });
    layout->addWidget(add);
    QDialogButtonBox* buttons = NewFindDialogButtons(*this, bar);
    layout->addStretch();
    layout->addWidget(buttons);
    return bar;
}

FindRowEditor& FindDialog::AddRow() {
    auto* editor = new FindRowEditor(fields_, showModal_);
    editor->SetFirst(editors_.empty());
    connect(editor, &FindRowEditor::removeRequested, this, &FindDialog::RemoveRow);
    // Before the stretch that keeps the lines at the top.
    lines_->insertWidget(static_cast<int>(editors_.size()), editor);
    // At once, not when the layout's queued show comes round.
    editor->show();
    editors_.push_back(editor);
    return *editor;
}

void FindDialog::RemoveRow(FindRowEditor* editor) {
    const auto found = std::find(editors_.begin(), editors_.end(), editor);
    if (found == editors_.end()) {
        return;
    }
    editors_.erase(found);
    editor->deleteLater();
    editor->hide();
    if (!editors_.empty()) {
        editors_.front()->SetFirst(true);
    }
}

bool FindDialog::Fits(const FindRow& row) const {
    const auto field = std::find_if(fields_.begin(), fields_.end(),
                                    [&](const FindField& f) { return f.name == row.field; });
    if (field == fields_.end()) {
        return false;
    }
    const auto ops = OperatorsFor(*field);
    return std::find(ops.begin(), ops.end(), row.op) != ops.end();
}

void FindDialog::SetRows(const std::vector<FindRow>& rows) {
    while (!editors_.empty()) {
        RemoveRow(editors_.back());
    }
    for (const auto& row : rows) {
        if (Fits(row)) {
            AddRow().SetRow(row);
        }
    }
    if (editors_.empty()) {
        AddRow();
    }
}

std::vector<FindRow> FindDialog::Rows() const {
    std::vector<FindRow> rows;
    for (const FindRowEditor* editor : editors_) {
        rows.push_back(editor->Row());
    }
    return rows;
}

void FindDialog::accept() {
    const auto result = FindCondition(fields_).Build(Rows());
    if (!result.ok) {
        showMessage_(result.message);
        return;
    }
    condition_ = result.sql;
    QDialog::accept();
}

}  // namespace zel

#pragma once
// The Add An Instruction dialog (`InsBlank`): twelve lists of instructions and an Instruction field.
// Choosing an item, double clicking it, or Add with a keyword (or a short code that expanded as it
// was typed) closes the dialog with the instruction chosen.

#include "environment/editors/ins_blank_model.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qel {

class InsBlank : public QDialog {
    Q_OBJECT
public:
    // typedLetter (0: none) becomes the whole text of the Instruction field.
    // Under a lesson profile (none: every instruction) the lists hold only what it allows.
    explicit InsBlank(char typedLetter = 0, QWidget* parent = nullptr, const LessonProfile* profile = nullptr);

    // The instruction chosen when the dialog closed by choosing one.
    std::optional<uint32_t> chosenType() const { return chosenType_; }

    QLineEdit* instructionField() const { return field_; }
    QPushButton* addButton() const { return add_; }
    QListWidget* list(size_t k) const { return lists_.at(k); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* makeList(const InsBlankList& list);
    void selectionChanged(size_t list);
    void doubleClicked(size_t list, int row);
    void fieldEdited(const QString& text);
    void clearSelections(size_t except);
    void add();
    void choose(uint32_t type);

    InsBlankModel model_;
    std::vector<QListWidget*> lists_;
    QLineEdit* field_ = nullptr;
    QPushButton* add_ = nullptr;
    std::optional<uint32_t> chosenType_;
};

} // namespace qel

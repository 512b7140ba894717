#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <cstdint>
#include <vector>

class QTextDocument;

namespace tabulist {

// The listing's text view: no wrapping, both scroll bars, the selection stays visible
// without focus, tab stops every 8 average character widths. It keeps the colour
// values it was given as they were given, so that they are stored back unchanged.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    int32_t FontColor() const { return fontColor_; }
    void SetFontColor(int32_t value);
    int32_t BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(int32_t value);

    // The record's font fields of the current font.
    int32_t FontHeight() const;  // -(points x dpi / 72), rounded
    int32_t FontSize() const;    // points
    uint8_t FontStyle() const;   // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    void SetFontStyle(uint8_t style);

    // Appends the lines, each with its line end, in one edit.
    void AppendLines(const QStringList& lines);

    // A listing replaces the text as one step: BeginListing shows a new, empty document
    // without undo steps (a rerun of an abandoned listing reuses it), EndListing gives it
    // undo. Undo with nothing left to undo in the text brings back the document shown
    // before, the user's edits and their own undo steps included; redo goes forward again.
    // The last MaxListingSteps listings can be undone.
    static constexpr int MaxListingSteps = 2;
    void BeginListing();
    void EndListing();
    bool UndoListing();
    bool RedoListing();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyColors();
    void ShowDocument(QTextDocument* document);
    void DropLaterDocuments();
    void Track(QTextDocument* shown);

    // The documents of the listing steps, oldest first; at_ is the one shown.
    std::vector<QTextDocument*> documents_;
    size_t at_ = 0;
    bool listingOpen_ = false;
    // Set while the text changes by something other than an edit.
    int quiet_ = 0;
    struct Quiet {
        int& depth;
        explicit Quiet(int& d) : depth(d) { ++depth; }
        ~Quiet() { --depth; }
    };

    int32_t fontColor_;
    int32_t backgroundColor_;
};

}  // namespace tabulist

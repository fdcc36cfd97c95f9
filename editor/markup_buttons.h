#pragma once
// The editor window's markup buttons: the seven wrap buttons, ruby
// (TForm13), link (TForm15) and picture insertion, acting on the text memo
// that carries the focus mark.

class TForm2;

namespace editor {

class EditorMemo;
struct MemoText;

// Assigns the handlers of SpeedButton24, 26, 25, 32, 33, 30, 29, 31, 16 and
// 34 of the window. Call once, after its components exist.
void bindMarkupButtons(TForm2& form);

// A memo's text (widget line breaks, non-breaking spaces kept) and selection.
MemoText memoTextOf(const EditorMemo& memo);
// Brings the memo to `wanted` by replacing only the part that differs (so
// undo and the scroll position stay), then selects as `wanted` says.
void applyMemoText(EditorMemo& memo, const MemoText& wanted);

} // namespace editor

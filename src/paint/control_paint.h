// The plain controls in a classic Windows look: panels with their bevels, labels
// and shadowed labels, push buttons, check boxes, radio buttons, edits, memos,
// the report list view, progress bars, the file-operation animation and pictures.
// Each draws the control alone, its top-left corner at origin.
#pragma once

#include "controls/folder_edit.h"
#include "controls/list_view.h"
#include "controls/picture_controls.h"
#include "controls/shadow_label.h"
#include "controls/std_controls.h"
#include "paint/paint_context.h"

namespace tavlin {

class TGroupBox;

// A panel's face: bevels, border and fill. Returns the rectangle inside them.
TRect PaintPanelFace(PaintContext& context, const TPanel& panel, TPoint origin);
// A panel's caption, centred in the rectangle inside its bevels.
void PaintPanelCaption(PaintContext& context, const TPanel& panel, const TRect& inside);
void PaintGroupBox(PaintContext& context, const TGroupBox& box, TPoint origin);
void PaintLabel(PaintContext& context, const TLabel& label, TPoint origin);
void PaintShadowLabel(PaintContext& context, const TShadowLabel& label, TPoint origin);
void PaintButton(PaintContext& context, const TButton& button, TPoint origin);
void PaintCheckBox(PaintContext& context, const TCheckBox& box, TPoint origin);
void PaintRadioButton(PaintContext& context, const TRadioButton& button, TPoint origin);
void PaintEdit(PaintContext& context, const TEdit& edit, TPoint origin);
void PaintFolderEdit(PaintContext& context, const TFolderEdit& edit, TPoint origin);
void PaintMemo(PaintContext& context, const TMemo& memo, TPoint origin);
void PaintListView(PaintContext& context, const TListView& list, TPoint origin);
void PaintProgressBar(PaintContext& context, const TProgressBar& bar, TPoint origin);
void PaintAnimate(PaintContext& context, const TAnimate& animate, TPoint origin);
void PaintImage(PaintContext& context, const TImage& image, TPoint origin);

// The small check box of a check box or a list row: 13 x 13 at origin.
void PaintCheckMarkBox(Canvas& canvas, TPoint origin, bool checked, bool enabled);

}  // namespace tavlin

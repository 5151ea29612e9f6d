#pragma once
#include "framework/streaming/Published.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/Control.h"
#include "framework/ui/Hints.h"
#include "framework/ui/Menus.h"
#include "framework/ui/WinControl.h"

// DragCursor, DragKind and DragMode, which every control of the package publishes together.
template <class T> PublishedClass<T>& PublishDragSettings(PublishedClass<T>& c) {
    return c
        .Mapped("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, CursorNames(),
                crDrag)
        .Enum("DragKind", &TControl::DragKind, &TControl::SetDragKind, {"dkDrag", "dkDock"}, dkDrag)
        .Enum("DragMode", &TControl::DragMode, &TControl::SetDragMode, {"dmManual", "dmAutomatic"},
              dmManual);
}

// The framework's properties and events that the package's controls publish after their
// own, in the designer's order. Only the bricks publish OnDblClick (it follows OnClick); the
// buttons and the check box turn double clicks into second clicks.
template <class T> void PublishKxControlTail(PublishedClass<T>& c, bool withDblClick) {
    c.Component("Action", &TControl::Action, &TControl::SetAction)
        .Set("Anchors", &TControl::Anchors, &TControl::SetAnchors,
             {"akLeft", "akTop", "akRight", "akBottom"}, kDefaultAnchors);
    PublishDragSettings(c)
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, 0)
        .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .StoredIf(&IsShowHintStored)
        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnContextPopup", &TControl::OnContextPopup);
    if (withDblClick)
        c.Event("OnDblClick", &TControl::OnDblClick);
    c.Event("OnDragDrop", &TControl::OnDragDrop)
        .Event("OnDragOver", &TControl::OnDragOver)
        .Event("OnEndDock", &TControl::OnEndDock)
        .Event("OnEndDrag", &TControl::OnEndDrag)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnStartDock", &TControl::OnStartDock)
        .Event("OnStartDrag", &TControl::OnStartDrag);
}

// The members of ITarnEditX in function-table order, one row each. This
// list is the only description of the interface: the C++ interface, the
// control's forwarding methods and its dispatch table (and with it the type
// information) are all expanded from it, so they cannot disagree.
//
// Row forms (flags is Shown or Hidden):
//   TX_METHOD(id, Name, flags)                         void Name()
//   TX_METHOD_R(id, Name, flags, R)                    R Name()
//   TX_METHOD_P(id, Name, flags, (params), (names))    void Name(params)
//   TX_METHOD_PR(id, Name, flags, R, (params), (names)) R Name(params)
//   TX_PROP_RO(id, Name, flags, T)                     get
//   TX_PROP(id, Name, flags, T)                        get, put
//   TX_PROP_REF(id, Name, flags, T)                    get, put, put by reference
// A parameter that is a non-const reference is in/out.
#pragma once

// clang-format off
#define TARNEDITX_MEMBERS(TX_METHOD, TX_METHOD_R, TX_METHOD_P, TX_METHOD_PR, TX_PROP_RO, TX_PROP, TX_PROP_REF) \
    TX_PROP_RO(201, ClLineCount, Hidden, Long) \
    TX_PROP_RO(202, IMEChangingF, Hidden, Bool) \
    TX_PROP(203, SelLength, Hidden, Long) \
    TX_PROP_RO(204, CanRedo, Hidden, Bool) \
    TX_PROP_RO(205, LineNoWidth, Hidden, Long) \
    TX_PROP_RO(206, CurposX2, Hidden, Long) \
    TX_PROP_RO(207, CurposX, Hidden, Long) \
    TX_PROP_RO(208, CurposY, Hidden, Long) \
    TX_PROP_RO(209, GCurposX, Hidden, Long) \
    TX_PROP_RO(210, GCurposY, Hidden, Long) \
    TX_PROP_RO(211, DwclientX, Hidden, Long) \
    TX_PROP_RO(212, DwclientY, Hidden, Long) \
    TX_PROP_RO(213, ClOffsetX, Hidden, Long) \
    TX_PROP_RO(214, ClOffsetY, Hidden, Long) \
    TX_PROP_RO(215, CaretX, Hidden, Long) \
    TX_PROP_RO(216, CaretY, Hidden, Long) \
    TX_PROP_RO(217, Lineheight, Hidden, Long) \
    TX_PROP_RO(218, Fontwidth, Hidden, Long) \
    TX_PROP_RO(219, Fontheight, Hidden, Long) \
    TX_PROP(220, InsMode, Hidden, Bool) \
    TX_PROP(221, SelText, Hidden, Bstr) \
    TX_PROP(222, Modified, Hidden, Bool) \
    TX_PROP(223, MouseDownF, Hidden, Bool) \
    TX_PROP_RO(224, MaxCurposX, Hidden, Long) \
    TX_PROP(-517, Text, Shown, Bstr) \
    TX_PROP(225, CustomEditF, Hidden, Bool) \
    TX_METHOD(226, ReDesign, Shown) \
    TX_METHOD_P(227, DropFinish, Shown, (Bool SelfDropF, Bool ExtDropMoveF), (SelfDropF, ExtDropMoveF)) \
    TX_METHOD(228, DragInit, Shown) \
    TX_METHOD_P(229, DropText, Shown, (const Bstr& Str, Bool SelfDropF), (Str, SelfDropF)) \
    TX_METHOD(230, MoveSynchroMouse, Shown) \
    TX_METHOD_PR(231, IsInnerSelect, Shown, Bool, (Long x, Long y), (x, y)) \
    TX_METHOD(232, IMEReConvert, Shown) \
    TX_METHOD_P(233, IMEReconvertJob, Shown, (const Bstr& Str), (Str)) \
    TX_METHOD_P(234, SetImeStatus, Shown, (ULong IMEconvmode, ULong IMEsentmode, Bool IMEActiveF), (IMEconvmode, IMEsentmode, IMEActiveF)) \
    TX_METHOD_PR(235, GetImeStatus, Shown, Bool, (ULong& IMEconvmode, ULong& IMEsentmode), (IMEconvmode, IMEsentmode)) \
    TX_METHOD_P(236, Movestr, Shown, (Long& index1, Long& index2, TxMovestate Movestate, Long Clm), (index1, index2, Movestate, Clm)) \
    TX_METHOD_P(237, SetWordWrap, Shown, (Bool Value, Bool update), (Value, update)) \
    TX_METHOD_PR(238, GetStr, Shown, Bstr, (Long x1, Long y1, Long x2, Long y2), (x1, y1, x2, y2)) \
    TX_METHOD_P(239, FindInit, Shown, (const Bstr& findchr), (findchr)) \
    TX_METHOD(240, FindStart, Shown) \
    TX_METHOD(241, FindDown, Shown) \
    TX_METHOD(242, FindUP, Shown) \
    TX_METHOD_P(243, FindChange, Shown, (const Bstr& findchr, const Bstr& Changechr, Bool AllChangeF, Bool kakuninF, Bool TopStartF), (findchr, Changechr, AllChangeF, kakuninF, TopStartF)) \
    TX_METHOD_P(244, SetFindHitFocus, Shown, (Color HitColor), (HitColor)) \
    TX_METHOD_PR(245, LoadFromFile, Shown, Bool, (const Bstr& Filename), (Filename)) \
    TX_METHOD_PR(246, SaveToFile, Shown, Bool, (const Bstr& Filename), (Filename)) \
    TX_METHOD_PR(247, CurSet, Shown, Bool, (Long x, Long y, Txmovemode mode), (x, y, mode)) \
    TX_METHOD(248, Undo, Shown) \
    TX_METHOD(249, Redo, Shown) \
    TX_METHOD(250, Cut, Shown) \
    TX_METHOD(251, TxtCopy, Shown) \
    TX_METHOD(252, Paste, Shown) \
    TX_METHOD_P(253, TextPaste, Shown, (const Bstr& s), (s)) \
    TX_METHOD_PR(254, GetLimWord, Shown, Bstr, (Long& posx, Long& posy, const Bstr& LimStr), (posx, posy, LimStr)) \
    TX_METHOD_PR(255, TagSearch, Shown, Bstr, (Long& posx, Long& posy, Bool TopOnlyF), (posx, posy, TopOnlyF)) \
    TX_METHOD_PR(256, GetselLine, Shown, Bool, (Long& x1, Long& y1, Long& x2, Long& y2), (x1, y1, x2, y2)) \
    TX_METHOD_P(257, SetselLine, Shown, (Long x1, Long y1, Long x2, Long y2), (x1, y1, x2, y2)) \
    TX_METHOD_P(258, PrintText, Shown, (const Bstr& Str, Long x1, Long y1, Long x2, Long y2), (Str, x1, y1, x2, y2)) \
    TX_METHOD_P(259, PrintText2, Shown, (const Bstr& Str, Long& index1, Long& index2), (Str, index1, index2)) \
    TX_METHOD_P(260, SetTxtColor, Shown, (Long x, Long y, Long L, Color FontColor, Color BackColor, Bool normalF), (x, y, L, FontColor, BackColor, normalF)) \
    TX_METHOD_P(261, SetTxtColor2, Shown, (Long x, Long y, Long L, Color FontColor, Color BackColor, Bool UlineF, Long dx1, Long dy1, Long dx2, Long dy2), (x, y, L, FontColor, BackColor, UlineF, dx1, dy1, dx2, dy2)) \
    TX_METHOD_P(262, NtoWcurpos, Shown, (Long& x, Long& y), (x, y)) \
    TX_METHOD_P(263, WtoNcurpos, Shown, (Long& x, Long& y), (x, y)) \
    TX_METHOD_P(264, GetWrapColumn, Shown, (Long& index1, Long& index2), (index1, index2)) \
    TX_METHOD_PR(265, GetWrapTopIndex, Shown, Long, (Long index), (index)) \
    TX_METHOD_PR(266, GetWrapendIndex, Shown, Long, (Long index), (index)) \
    TX_METHOD_PR(267, ISInnerWrap, Shown, Bool, (Long index), (index)) \
    TX_METHOD(268, ResetSel, Shown) \
    TX_METHOD_P(269, LineTabTospc, Shown, (Long& index1, Long& index2), (index1, index2)) \
    TX_METHOD_PR(270, GetTabcount, Shown, Long, (Long x), (x)) \
    TX_METHOD_PR(271, Tabtospc, Shown, Bstr, (Long index), (index)) \
    TX_METHOD_PR(272, Tabtospace, Shown, Bstr, (const Bstr& str1), (str1)) \
    TX_METHOD_P(273, DrawLine, Shown, (Long y1, Long y2), (y1, y2)) \
    TX_METHOD_R(274, Selmode, Shown, Bool) \
    TX_METHOD(275, AllSel, Shown) \
    TX_METHOD(276, SelectAll, Shown) \
    TX_METHOD_P(277, TarnTrimLeft, Shown, (Long& index1, Long& index2, Bool wordF), (index1, index2, wordF)) \
    TX_METHOD_P(278, TarnTrimRight, Shown, (Long& index1, Long& index2, Bool wordF), (index1, index2, wordF)) \
    TX_METHOD_P(279, TarnTrim, Shown, (Long& index1, Long& index2, Bool wordF), (index1, index2, wordF)) \
    TX_METHOD_PR(280, EditSave, Shown, Bool, (TxUndoAction Action, const Bstr& s, Long posx, Long posy), (Action, s, posx, posy)) \
    TX_METHOD_P(281, RedoSave, Shown, (TxUndoAction Action, Bool UndoF), (Action, UndoF)) \
    TX_METHOD(282, ClearUndoRecord, Shown) \
    TX_METHOD(283, RefreshLine, Shown) \
    TX_METHOD(284, Recreate, Shown) \
    TX_METHOD(285, SetHome, Shown) \
    TX_METHOD(286, SetEnd, Shown) \
    TX_METHOD(287, RefreshWrap, Shown) \
    TX_METHOD_PR(288, GetNonWrapStr, Shown, Bstr, (Long index), (index)) \
    TX_METHOD_PR(289, TarnSplit, Shown, Bstr, (Bstr& Str, const Bstr& Delimiter), (Str, Delimiter)) \
    TX_METHOD_P(290, ColorPrintText, Shown, (Long index1, Long index2), (index1, index2)) \
    TX_METHOD(291, ClearSelection, Shown) \
    TX_METHOD(292, LineDelTop, Shown) \
    TX_METHOD(293, LineDelEnd, Shown) \
    TX_METHOD(294, Clear, Shown) \
    TX_METHOD(295, CopyToClipboard, Shown) \
    TX_PROP(296, IMEReconvMode, Shown, TxIMEReconvmode) \
    TX_PROP(297, UndoRec, Shown, Bool) \
    TX_PROP(298, FreeCaretMode, Shown, Bool) \
    TX_PROP(299, CaretScrollFix, Shown, Bool) \
    TX_PROP(300, TopMargin, Shown, Long) \
    TX_PROP(301, LeftMargin, Shown, Long) \
    TX_PROP(302, ScrollStep, Shown, Byte) \
    TX_PROP(303, WheelStep, Shown, Byte) \
    TX_PROP(304, CurSetMode, Shown, Bool) \
    TX_PROP(305, SelColor, Shown, Color) \
    TX_PROP(306, CREOFcolor, Shown, Color) \
    TX_PROP(307, ShowRuler, Shown, Bool) \
    TX_PROP(308, ShowRulerCur, Shown, Bool) \
    TX_PROP(309, RulerCurWidth, Shown, Byte) \
    TX_PROP(310, TabCount, Shown, Byte) \
    TX_PROP(311, ShowEOF, Shown, Bool) \
    TX_PROP(312, ShowCR, Shown, Bool) \
    TX_PROP(313, ShowDblSpace, Shown, Bool) \
    TX_PROP(314, ShowSglSpace, Shown, Bool) \
    TX_PROP(315, ShowTAB, Shown, Bool) \
    TX_PROP(316, UndoBuf, Shown, Long) \
    TX_PROP(317, LineSpace, Shown, Long) \
    TX_PROP(318, LineSpaceUnit, Shown, TxLineSizeUnit) \
    TX_PROP(319, ShowUnderLine, Shown, Bool) \
    TX_PROP(320, AutoIndent, Shown, Bool) \
    TX_PROP(321, BorderStyle, Shown, TxBorderStyle) \
    TX_PROP(-501, Color, Shown, Color) \
    TX_PROP_REF(-512, Font, Shown, FontDisp) \
    TX_PROP(322, ReadOnly, Shown, Bool) \
    TX_PROP(323, HorzScrollBar, Shown, Bool) \
    TX_PROP(324, VertScrollBar, Shown, Bool) \
    TX_PROP(325, WordWrap, Shown, Bool) \
    TX_PROP(326, AutoWrap, Shown, Bool) \
    TX_PROP(327, WantTabs, Shown, Bool) \
    TX_PROP(328, Column, Shown, Long) \
    TX_PROP(329, QuotMarkStr, Shown, Bstr) \
    TX_PROP(330, ColorPrintF, Shown, Bool) \
    TX_PROP(331, URLColor, Shown, Color) \
    TX_PROP(332, QuotMarkColor, Shown, Color) \
    TX_PROP(333, UlineColor, Shown, Color) \
    TX_PROP(334, RulerColor, Shown, Color) \
    TX_PROP(335, RulerCurColor, Shown, Color) \
    TX_PROP(336, Version, Shown, Bstr) \
    TX_PROP(337, ShowLineNumber, Shown, Bool) \
    TX_PROP(338, LineNoColumn, Shown, Byte) \
    TX_PROP(339, SingleByteMode, Shown, Bool) \
    TX_PROP(340, DragMode, Shown, TxTarnDragMode) \
    TX_PROP(341, DragCursor, Shown, Short) \
    TX_PROP(342, BoxSelMode, Shown, Bool) \
    TX_PROP(343, BoxColumFix, Shown, Bool) \
    TX_PROP(344, Ctl3D, Shown, Bool) \
    TX_PROP(-514, Enabled, Shown, Bool) \
    TX_PROP(345, Visible, Shown, Bool) \
    TX_PROP(346, DoubleBuffered, Shown, Bool) \
    TX_PROP_RO(347, AlignDisabled, Hidden, Bool) \
    TX_PROP_RO(348, VisibleDockClientCount, Hidden, Long) \
    TX_METHOD_R(349, DrawTextBiDiModeFlagsReadingOnly, Shown, Long) \
    TX_METHOD(350, InitiateAction, Shown) \
    TX_METHOD_R(351, IsRightToLeft, Shown, Bool) \
    TX_METHOD_R(352, UseRightToLeftReading, Shown, Bool) \
    TX_METHOD_R(353, UseRightToLeftScrollBar, Shown, Bool) \
    TX_METHOD_P(354, SetSubComponent, Shown, (Bool IsSubComponent), (IsSubComponent)) \
    TX_PROP_RO(355, AxLinesCount, Hidden, Long) \
    TX_METHOD(356, AxClearLines, Shown) \
    TX_METHOD_P(357, AxInsertLine, Shown, (Long index, const Bstr& item), (index, item)) \
    TX_METHOD_PR(358, AxAddLine, Shown, Long, (const Bstr& Str), (Str)) \
    TX_METHOD_P(359, AxDeleteLine, Shown, (Long index), (index)) \
    TX_METHOD_PR(360, AxGetLines, Shown, Bstr, (Long index), (index)) \
    TX_PROP(361, VertScrollLimit, Shown, Long) \
    TX_PROP(362, AxFontColor, Shown, Color)
// clang-format on

#pragma once

// The engine's message and notification numbers that the editor uses.
namespace quillet::sci {

enum Message : unsigned int {
    AddText = 2001,
    InsertText = 2003,
    GetLength = 2006,
    GetCharAt = 2007,
    GetCurrentPos = 2008,
    GetAnchor = 2009,
    GetStyleAt = 2010,
    GotoPos = 2025,
    StartStyling = 2032,
    SetStyling = 2033,
    SetCodePage = 2037,
    StyleSetFore = 2051,
    StyleSetBack = 2052,
    StyleSetSize = 2055,
    StyleSetFont = 2056,
    SetStylingEx = 2073,
    BeginUndoAction = 2078,
    EndUndoAction = 2079,
    SetLineState = 2092,
    GetLineState = 2093,
    GetLineEndPosition = 2136,
    GetLine = 2153,
    GetLineCount = 2154,
    SetMarginLeft = 2155,
    SetMarginRight = 2157,
    SetSel = 2160,
    LineFromPosition = 2166,
    PositionFromLine = 2167,
    ReplaceSel = 2170,
    GetDirectFunction = 2184,
    GetDirectPointer = 2185,
    SetTargetStart = 2190,
    SetTargetEnd = 2192,
    ReplaceTarget = 2194,
    SetMarginTypeN = 2240,
    SetMarginWidthN = 2242,
    LineLength = 2350,
    ChooseCaretX = 2399,
    GetRangePointer = 2643,
};

enum Modification : int {
    ModInsertText = 0x1,
    ModDeleteText = 0x2,
    PerformedUser = 0x10,
    PerformedUndo = 0x20,
    PerformedRedo = 0x40,
};

}  // namespace quillet::sci

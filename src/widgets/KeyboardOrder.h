#pragma once
// Keyboard reach of a panel or dialog, read from its layouts: a label names
// the input that follows it in its row, or below it in a column (its buddy,
// which a screen reader reads out), and Tab visits the inputs in reading
// order, rows top to bottom and each row left to right, whatever order they
// were made in. Call once the layouts are built; texts may come later.

class QWidget;

void LinkLabelsAndTabOrder(QWidget *root);

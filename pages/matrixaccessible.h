#pragma once
// What assistive tools find of the matrix grid: the table with its own widgets (headers,
// corner button, scroll bars) and, as the children of its viewport, one cell per crossing on
// show, row by row. A cell reads its crossing's name, its state as the description ("on,
// -3.0 dB", "off"), checked while on and its gain as a value; its Toggle and Press actions
// do what a second click does, SetFocus makes it the keyboard's cell.
class MatrixTableWidget;
class QAccessibleInterface;

namespace matrixaccessible {

// Has the table and its viewport answered by the interfaces above from now on.
void install(MatrixTableWidget *table);
// A new cell interface, for the table to register and keep.
QAccessibleInterface *cell(MatrixTableWidget *table, int input, int output);

} // namespace matrixaccessible

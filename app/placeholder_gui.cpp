namespace pelmora { int gui_placeholder = 0; }

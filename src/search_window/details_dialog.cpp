// details_dialog.cpp - (being built)

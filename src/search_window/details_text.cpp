// details_text.cpp - (being built)

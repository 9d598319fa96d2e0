// settings_file.cpp - (being built)

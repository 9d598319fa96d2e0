// file_utils.cpp - (being built)

// result_table.cpp - (being built)

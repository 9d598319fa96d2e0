// search_rules.cpp - (being built)

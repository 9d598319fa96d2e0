// directory_query.cpp - (being built)

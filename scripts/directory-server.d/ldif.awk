# ldif.awk - LDIF pieces shared by the data generators (loaded before them with a second -f).

# Prints the start of a person's entry: its name, its object classes and its naming attributes.
function person_head(dn, cn, sn, given) {
    print "dn: " dn
    print "objectClass: top"
    print "objectClass: person"
    print "objectClass: organizationalPerson"
    print "objectClass: inetOrgPerson"
    print "cn: " cn
    print "sn: " sn
    print "givenName: " given
}

# Prints the directory's root entry (organization o) and its ou=people below base, once: data
# generators run one after another in one awk share them.
function root_and_people(base, o) {
    if (root_written) return
    root_written = 1
    print "dn: " base
    print "objectClass: dcObject"
    print "objectClass: organization"
    print "dc: corvane"
    print "o: " o
    print ""
    print "dn: ou=people," base
    print "objectClass: organizationalUnit"
    print "ou: people"
    print ""
}

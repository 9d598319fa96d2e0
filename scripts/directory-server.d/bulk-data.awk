# bulk-data.awk - writes the LDIF of a directory for large answers: COUNT people (default 100000)
# below ou=people, each with cn, sn, givenName, uid, mail and telephoneNumber. Deterministic.
# Run as: awk -v count=N -f ldif.awk -f bulk-data.awk; after test-data.awk in the same awk, it adds
# its people to the test directory.

BEGIN {
    base = "dc=corvane,dc=test"
    if (count == "") count = 100000
    root_and_people(base, "Corvane")
    for (i = 0; i < count; i++) {
        id = sprintf("%06d", i)
        person_head("uid=b" id ",ou=people," base, "Person " id, "Surname" (i % 997), "Given" (i % 101))
        print "uid: b" id
        print "mail: b" id "@corvane.test"
        print "telephoneNumber: +49 89 " id
        print ""
    }
}

# group-data.awk - writes a group with more members than a domain controller hands out at once:
# cn=Large Group,ou=groups with 2500 members uid=bNNNNNN,ou=people (from b000000), in that order.
# Run after ldif.awk in the same awk as the other generators of the large data.

BEGIN {
    base = "dc=corvane,dc=test"
    print "dn: ou=groups," base
    print "objectClass: organizationalUnit"
    print "ou: groups"
    print ""
    print "dn: cn=Large Group,ou=groups," base
    print "objectClass: groupOfNames"
    print "cn: Large Group"
    for (i = 0; i < 2500; i++) printf "member: uid=b%06d,ou=people,%s\n", i, base
    print ""
}

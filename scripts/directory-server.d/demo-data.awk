# demo-data.awk - writes the LDIF of the demo directory: a sample company of 320 people in eight
# departments below ou=people, with phones, mail, postal data and offices, and the IT service desk
# "Schulz (IT)" directly below ou=people. Deterministic: every value follows from the person's number. Run as: awk -f ldif.awk -f demo-data.awk

function entry(d, n, i,    given, sn, asciiGiven, asciiSn, cn, office, dn, phone) {
    given = givens[(n * 7 + d * 3) % nGivens]
    sn = surnames[(n + d * 5) % nSurnames]
    asciiGiven = asciiGivens[(n * 7 + d * 3) % nGivens]
    asciiSn = asciiSurnames[(n + d * 5) % nSurnames]
    cn = given " " sn
    office = (n + d) % nOffices
    phone = sprintf("%s %d%02d", offPhone[office], 10 + d, n)
    dn = "cn=" cn ",ou=" depts[d] ",ou=people," base
    person_head(dn, cn, sn, given)
    print "uid: " tolower(substr(asciiGiven, 1, 1) asciiSn) sprintf("%d", i)
    print "mail: " tolower(asciiGiven "." asciiSn) sprintf("%d", i) "@corvane.example"
    print "employeeNumber: " sprintf("%05d", 10000 + i)
    print "ou: " depts[d]
    print "departmentNumber: " deptNumbers[d]
    print "title: " (n == 0 ? "Head of " depts[d] : titles[d, n % 3])
    print "telephoneNumber: " phone
    if (n % 4 == 1) print "mobile: +49 170 " sprintf("%07d", 3000000 + i * 37)
    if (n % 6 == 2) print "facsimileTelephoneNumber: " offPhone[office] " 999"
    print "physicalDeliveryOfficeName: " offNames[office] ", room " (100 + (n % 5) * 100 + n)
    print "street: " offStreets[office]
    print "postalAddress: Corvane GmbH$" offStreets[office] "$" offCodes[office] " " offCities[office]
    print "postalCode: " offCodes[office]
    print "l: " offCities[office]
    print "st: " offStates[office]
    print ""
}

BEGIN {
    base = "dc=corvane,dc=test"
    nGivens = split("Anna Björn Carla Dirk Elif Fabian Gisela Hannes Irene Jörg Katrin Lars " \
                    "Mónica Nicolás Ola Paweł Quentin Rüdiger Sabine Tobias Ute Valérie Wiebke " \
                    "Xenia Yannick Zofia Agnès Bruno Céline Dorothée Emil Frida Gunnar Helga " \
                    "Ivo Jana Kai Lotte Malte Noémie Oskar", givensRaw, " ")
    split("Anna Bjoern Carla Dirk Elif Fabian Gisela Hannes Irene Joerg Katrin Lars " \
          "Monica Nicolas Ola Pawel Quentin Ruediger Sabine Tobias Ute Valerie Wiebke " \
          "Xenia Yannick Zofia Agnes Bruno Celine Dorothee Emil Frida Gunnar Helga " \
          "Ivo Jana Kai Lotte Malte Noemie Oskar", asciiGivensRaw, " ")
    nSurnames = split("Albrecht Bauer Çelik Dietrich Engel Fuchs Graf Hoffmann Ibsen Jäger " \
                      "Keller Lindström Maier Neumann Olbrich Peters Quandt Roth Schulz Thiel " \
                      "Unger Vogel Wagner Xander Yilmaz Zając Åberg Brandt Conrad Dahl " \
                      "Eriksen Frank Götz Horn Iversen Jansen Krause Lorenz Möller Nagel " \
                      "van_Leeuwen de_Boer", surnamesRaw, " ")
    split("Albrecht Bauer Celik Dietrich Engel Fuchs Graf Hoffmann Ibsen Jaeger " \
          "Keller Lindstroem Maier Neumann Olbrich Peters Quandt Roth Schulz Thiel " \
          "Unger Vogel Wagner Xander Yilmaz Zajac Aberg Brandt Conrad Dahl " \
          "Eriksen Frank Goetz Horn Iversen Jansen Krause Lorenz Moeller Nagel " \
          "vanLeeuwen deBoer", asciiSurnamesRaw, " ")
    for (k = 0; k < nGivens; k++) {
        givens[k] = givensRaw[k + 1]
        asciiGivens[k] = asciiGivensRaw[k + 1]
    }
    for (k = 0; k < nSurnames; k++) {
        surnames[k] = surnamesRaw[k + 1]
        gsub(/_/, " ", surnames[k])
        asciiSurnames[k] = asciiSurnamesRaw[k + 1]
    }

    nDepts = split("Sales Engineering Finance Marketing Support Human_Resources Legal Operations", raw, " ")
    for (k = 0; k < nDepts; k++) { depts[k] = raw[k + 1]; gsub(/_/, " ", depts[k]) }
    split("D-100 D-200 D-300 D-400 D-500 D-600 D-700 D-800", raw, " ")
    for (k = 0; k < nDepts; k++) deptNumbers[k] = raw[k + 1]
    split("Account Manager|Sales Representative|Key Account Manager|" \
          "Software Engineer|Senior Software Engineer|Test Engineer|" \
          "Accountant|Controller|Payroll Specialist|" \
          "Marketing Manager|Content Writer|Brand Designer|" \
          "Support Engineer|Support Specialist|Technical Writer|" \
          "HR Generalist|Recruiter|Training Coordinator|" \
          "Legal Counsel|Paralegal|Compliance Officer|" \
          "Facility Manager|Logistics Coordinator|Purchasing Agent", raw, "|")
    for (k = 0; k < nDepts * 3; k++) titles[int(k / 3), k % 3] = raw[k + 1]

    nOffices = 5
    split("Berlin|München|Hamburg|Wien|Zürich", offCities, "|")
    split("Headquarters|South Office|North Office|Vienna Office|Zurich Office", offNames, "|")
    split("Friedrichstraße 12|Leopoldstraße 250|Große Elbstraße 7|Kärntner Ring 5|Bahnhofstrasse 21", offStreets, "|")
    split("10117|80807|22767|1010|8001", offCodes, "|")
    split("Berlin|Bayern|Hamburg|Wien|Zürich", offStates, "|")
    split("+49 30 2345|+49 89 3456|+49 40 4567|+43 1 5678|+41 44 6789", offPhone, "|")
    for (k = 0; k < nOffices; k++) {
        offCities[k] = offCities[k + 1]; offNames[k] = offNames[k + 1]
        offStreets[k] = offStreets[k + 1]; offCodes[k] = offCodes[k + 1]
        offStates[k] = offStates[k + 1]; offPhone[k] = offPhone[k + 1]
    }

    root_and_people(base, "Corvane GmbH")
    i = 0
    for (d = 0; d < nDepts; d++) {
        print "dn: ou=" depts[d] ",ou=people," base
        print "objectClass: organizationalUnit"
        print "ou: " depts[d]
        print "description: Department " deptNumbers[d]
        print ""
        for (n = 0; n < 40; n++) entry(d, n, i++)
    }
    # A name with parentheses and a value with ";", as real directories hold them.
    print "dn: cn=Schulz (IT),ou=people," base
    print "objectClass: inetOrgPerson"
    print "cn: Schulz (IT)"
    print "sn: Schulz (IT)"
    print "ou: IT Service"
    print "title: Service desk"
    print "telephoneNumber: +49 30 2345 999"
    print "mail: it-service@corvane.test"
    print "physicalDeliveryOfficeName: Zimmer 3; 2. Stock"
    print ""
}

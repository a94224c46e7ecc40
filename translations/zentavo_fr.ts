<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>OpenFiles</name>
    <message>
        <source>The file &quot;%1&quot; was changed by another program since it was opened. Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)</source>
        <translation>Le fichier « %1 » a été modifié par un autre programme depuis son ouverture. L&apos;écraser ou annuler ? (Oui l&apos;écrase, Non n&apos;enregistre rien.)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is open in another window of Zentavo. Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)</source>
        <translation>Le fichier « %1 » est ouvert dans une autre fenêtre de Zentavo. L&apos;écraser ou annuler ? (Oui l&apos;écrase, Non n&apos;enregistre rien.)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is this window&apos;s own study. Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)</source>
        <translation>Le fichier « %1 » est l&apos;étude de cette fenêtre. L&apos;écraser ou annuler ? (Oui l&apos;écrase, Non n&apos;enregistre rien.)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is open in another window of Zentavo. Add the results to its end, or cancel? (Yes adds them, No saves nothing.)</source>
        <translation>Le fichier « %1 » est ouvert dans une autre fenêtre de Zentavo. Ajouter les résultats à la fin ou annuler ? (Oui les ajoute, Non n&apos;enregistre rien.)</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Fichier introuvable.
Vérifiez que le nom du fichier est correct.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Application</name>
    <message>
        <source>Do you wish to exit now?</source>
        <translation>Voulez-vous quitter maintenant ?</translation>
    </message>
    <message>
        <source>Thank you for using Zentavo</source>
        <translation>Merci d&apos;avoir utilisé Zentavo</translation>
    </message>
    <message>
        <source>The editor holds one file at a time: &quot;%1&quot; was not opened.</source>
        <translation>L&apos;éditeur ouvre un seul fichier à la fois : « %1 » n&apos;a pas été ouvert.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::ComputeProgress</name>
    <message>
        <source>Computing the study&apos;s rows…</source>
        <translation>Calcul des lignes de l&apos;étude…</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Arrêter</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::DevicePanel</name>
    <message>
        <source>IEEE-MI — IEEE moderately inverse</source>
        <translation>IEEE-MI — IEEE modérément inverse</translation>
    </message>
    <message>
        <source>IEEE-VI — IEEE very inverse</source>
        <translation>IEEE-VI — IEEE très inverse</translation>
    </message>
    <message>
        <source>IEEE-EI — IEEE extremely inverse</source>
        <translation>IEEE-EI — IEEE extrêmement inverse</translation>
    </message>
    <message>
        <source>IEC-SI — IEC standard inverse</source>
        <translation>IEC-SI — CEI inverse normale</translation>
    </message>
    <message>
        <source>IEC-VI — IEC very inverse</source>
        <translation>IEC-VI — CEI très inverse</translation>
    </message>
    <message>
        <source>IEC-EI — IEC extremely inverse</source>
        <translation>IEC-EI — CEI extrêmement inverse</translation>
    </message>
    <message>
        <source>IEC-LTI — IEC long-time inverse</source>
        <translation>IEC-LTI — CEI inverse à temps long</translation>
    </message>
    <message>
        <source>DT — definite time</source>
        <translation>DT — temps constant</translation>
    </message>
    <message>
        <source>Relay with its breaker</source>
        <translation>Relais avec son disjoncteur</translation>
    </message>
    <message>
        <source>Low-voltage trip unit</source>
        <translation>Déclencheur basse tension</translation>
    </message>
    <message>
        <source>Fuse, by its total-clearing curve</source>
        <translation>Fusible, par sa courbe de coupure totale</translation>
    </message>
    <message>
        <source>Protective device:</source>
        <translation>Dispositif de protection :</translation>
    </message>
    <message>
        <source>Share of the arcing current:</source>
        <translation>Part du courant d’arc :</translation>
    </message>
    <message>
        <source>Maximum arc duration (sec, or none):</source>
        <translation>Durée d’arc maximale (s, ou aucune) :</translation>
    </message>
    <message>
        <source>Relay curve:</source>
        <translation>Courbe du relais :</translation>
    </message>
    <message>
        <source>Pickup (A):</source>
        <translation>Seuil (A) :</translation>
    </message>
    <message>
        <source>Time dial (sec for DT):</source>
        <translation>Multiplicateur de temps (s pour DT) :</translation>
    </message>
    <message>
        <source>Instantaneous pickup (A):</source>
        <translation>Seuil instantané (A) :</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Instantaneous delay (sec):</source>
        <translation>Retard instantané (s) :</translation>
    </message>
    <message>
        <source>Breaker time (sec):</source>
        <translation>Temps du disjoncteur (s) :</translation>
    </message>
    <message>
        <source>Rating (A):</source>
        <translation>Calibre (A) :</translation>
    </message>
    <message>
        <source>Long-time pickup (× rating):</source>
        <translation>Seuil long retard (× calibre) :</translation>
    </message>
    <message>
        <source>Long-time delay (sec at 6 × pickup):</source>
        <translation>Temporisation long retard (s à 6 × seuil) :</translation>
    </message>
    <message>
        <source>Short-time pickup (× LT pickup):</source>
        <translation>Seuil court retard (× seuil LR) :</translation>
    </message>
    <message>
        <source>Short-time delay (sec):</source>
        <translation>Temporisation court retard (s) :</translation>
    </message>
    <message>
        <source>Instantaneous pickup (× rating):</source>
        <translation>Seuil instantané (× calibre) :</translation>
    </message>
    <message>
        <source>Instantaneous clearing time (sec):</source>
        <translation>Temps de coupure instantané (s) :</translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation>Tolérance :</translation>
    </message>
    <message>
        <source>100:300 200:20 1000:0.1, or a curve&apos;s name</source>
        <translation>100:300 200:20 1000:0.1, ou le nom d’une courbe</translation>
    </message>
    <message>
        <source>Fuse curve (A:sec points, or a name):</source>
        <translation>Courbe du fusible (points A:s, ou un nom) :</translation>
    </message>
    <message>
        <source>Load device curves…</source>
        <translation>Charger des courbes de dispositifs…</translation>
    </message>
    <message>
        <source>No curves file loaded</source>
        <translation>Aucun fichier de courbes chargé</translation>
    </message>
    <message>
        <source>Load device curves</source>
        <translation>Charger des courbes de dispositifs</translation>
    </message>
    <message>
        <source>device curves (*.csv)</source>
        <translation>courbes de dispositifs (*.csv)</translation>
    </message>
    <message numerus="yes">
        <source>%n curve(s) from %1</source>
        <translation>
            <numerusform>%n courbe de %1</numerusform>
            <numerusform>%n courbes de %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zentavo::ui::DialogService</name>
    <message>
        <source>… and %1 more</source>
        <translation>… et %1 de plus</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Handler</name>
    <message>
        <source>Unexpected error.</source>
        <translation>Erreur inattendue.</translation>
    </message>
    <message>
        <source>Out of memory: the action was stopped, and no file it was writing was kept.</source>
        <translation>Mémoire insuffisante : l&apos;action a été arrêtée, et aucun fichier en cours d&apos;écriture n&apos;a été conservé.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::LibraryTexts</name>
    <message>
        <source>Open air</source>
        <translation>Air libre</translation>
    </message>
    <message>
        <source>Switchgear</source>
        <translation>Appareillage</translation>
    </message>
    <message>
        <source>MCC and Panels</source>
        <translation>CCM et tableaux</translation>
    </message>
    <message>
        <source>Cable</source>
        <translation>Câble</translation>
    </message>
    <message>
        <source>Ungrounded</source>
        <translation>Isolé</translation>
    </message>
    <message>
        <source>Grounded</source>
        <translation>Mis à la terre</translation>
    </message>
    <message>
        <source>ungrounded</source>
        <translation>non mis à la terre</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 0 A to 100 A</source>
        <translation>Fusible classe RK1, 0 A à 100 A</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 101 A to 200 A</source>
        <translation>Fusible classe RK1, 101 A à 200 A</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 201 A to 400 A</source>
        <translation>Fusible classe RK1, 201 A à 400 A</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 401 A to 600 A</source>
        <translation>Fusible classe RK1, 401 A à 600 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 601 A to 800 A</source>
        <translation>Fusible classe L, 601 A à 800 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 801 A to 1200 A</source>
        <translation>Fusible classe L, 801 A à 1200 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 1201 A to 1600 A</source>
        <translation>Fusible classe L, 1201 A à 1600 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 1601 A to 2000 A</source>
        <translation>Fusible classe L, 1601 A à 2000 A</translation>
    </message>
    <message>
        <source>5 kV switchgear</source>
        <translation>Appareillage 5 kV</translation>
    </message>
    <message>
        <source>5 kV switchgear (second size)</source>
        <translation>Appareillage 5 kV (deuxième taille)</translation>
    </message>
    <message>
        <source>5 kV MCC</source>
        <translation>CCM 5 kV</translation>
    </message>
    <message>
        <source>15 kV switchgear</source>
        <translation>Appareillage 15 kV</translation>
    </message>
    <message>
        <source>15 kV MCC</source>
        <translation>CCM 15 kV</translation>
    </message>
    <message>
        <source>Low-voltage switchgear</source>
        <translation>Appareillage basse tension</translation>
    </message>
    <message>
        <source>Shallow low-voltage MCCs and panelboards</source>
        <translation>CCM et tableaux basse tension peu profonds</translation>
    </message>
    <message>
        <source>Deep low-voltage MCCs and panelboards</source>
        <translation>CCM et tableaux basse tension profonds</translation>
    </message>
    <message>
        <source>Cable junction box</source>
        <translation>Boîte de jonction de câbles</translation>
    </message>
    <message>
        <source>Typical</source>
        <translation>Typique</translation>
    </message>
    <message>
        <source>Shallow</source>
        <translation>Peu profonde</translation>
    </message>
    <message>
        <source>Natural fiber ( cotton / wool ) long sleeve shirt and pants,</source>
        <translation>Chemise à manches longues et pantalon en fibre naturelle (coton/laine),</translation>
    </message>
    <message>
        <source>safety glasses, hard hat, V-rated  gloves.</source>
        <translation>lunettes de sécurité, casque, gants isolants.</translation>
    </message>
    <message>
        <source>FR shirt and pants, safety glasses, hard hat, V-rated  gloves.</source>
        <translation>Chemise et pantalon FR, lunettes de sécurité, casque, gants isolants.</translation>
    </message>
    <message>
        <source>FR shirt and pants, face shield, hard hat, ear canal inserts,  V-rated</source>
        <translation>Chemise et pantalon FR, écran facial, casque, bouchons d’oreille,</translation>
    </message>
    <message>
        <source>and leather gloves, leather work shoes.</source>
        <translation>gants isolants et de cuir, chaussures de travail en cuir.</translation>
    </message>
    <message>
        <source>FR coverall over FR shirt and pants, flash suit hood, ear canal inserts,</source>
        <translation>Combinaison FR sur chemise et pantalon FR, cagoule, bouchons d’oreille,</translation>
    </message>
    <message>
        <source>V-rated and leather  gloves, leather work shoes.</source>
        <translation>gants isolants et de cuir, chaussures de travail en cuir.</translation>
    </message>
    <message>
        <source>Flash suit over FR coverall over FR shirt and pants, flash suit hood,</source>
        <translation>Combinaison arc sur combinaison FR, chemise et pantalon FR, cagoule,</translation>
    </message>
    <message>
        <source>ear canal inserts, V-rated and leather gloves, leather work shoes.</source>
        <translation>bouchons d’oreille, gants isolants et de cuir, chaussures en cuir.</translation>
    </message>
    <message>
        <source>Consult PPE Manufacturer</source>
        <translation>Consulter le fabricant d&apos;EPI</translation>
    </message>
    <message>
        <source>Avoid contact</source>
        <translation>Éviter le contact</translation>
    </message>
    <message>
        <source>Arc Duration (sec):</source>
        <translation>Durée de l&apos;arc (s) :</translation>
    </message>
    <message>
        <source>Arc Duration @ Predicted Arc Current (sec):</source>
        <translation>Durée au courant d&apos;arc prévu (s) :</translation>
    </message>
    <message>
        <source>Low Voltage Circuit Breakers Calculations</source>
        <translation>Calculs pour disjoncteurs basse tension</translation>
    </message>
    <message>
        <source>Voltage out of range. </source>
        <translation>Tension hors plage. </translation>
    </message>
    <message>
        <source>Invalid bolted current. </source>
        <translation>Courant de défaut franc non valide. </translation>
    </message>
    <message>
        <source>Enter Gap value</source>
        <translation>Saisissez l&apos;écart</translation>
    </message>
    <message>
        <source>Incorrect gap between conductors. </source>
        <translation>Écart entre conducteurs incorrect. </translation>
    </message>
    <message>
        <source>Working distance is not within allowed limits. </source>
        <translation>La distance de travail est hors des limites admises. </translation>
    </message>
    <message>
        <source> Equipment class not selected.</source>
        <translation> La classe d&apos;équipement n&apos;est pas choisie.</translation>
    </message>
    <message>
        <source> Grounding type not set.</source>
        <translation> Le type de mise à la terre n&apos;est pas indiqué.</translation>
    </message>
    <message>
        <source>Enter IR value.</source>
        <translation>Saisissez le pouvoir de coupure.</translation>
    </message>
    <message>
        <source>Enter IT value.</source>
        <translation>Saisissez le déclenchement instantané.</translation>
    </message>
    <message>
        <source>Use IEEE 1584 Empirical Model for such a low bolted fault current value.</source>
        <translation>Pour un courant de défaut franc aussi faible, utilisez le modèle empirique IEEE 1584.</translation>
    </message>
    <message>
        <source>Contact manufacturer for additional information above upper limit.</source>
        <translation>Au-delà de la limite supérieure, consultez le fabricant.</translation>
    </message>
    <message>
        <source>Available bolted fault current is higher than breaker interrupting rating.</source>
        <translation>Le courant de défaut franc disponible dépasse le pouvoir de coupure du disjoncteur.</translation>
    </message>
    <message>
        <source>Predicted arcing current is less than the top of the breaker tripping band. IEEE 1584 empirically derived model must be used to resolve incident energies in this case.</source>
        <translation>Le courant d&apos;arc prévu est inférieur au haut de la bande de déclenchement du disjoncteur. Dans ce cas, l&apos;énergie incidente doit être calculée avec le modèle empirique IEEE 1584.</translation>
    </message>
    <message>
        <source>Enter valid arcing time. </source>
        <translation>Saisissez une durée d&apos;arc valide. </translation>
    </message>
    <message>
        <source>Arcing time should not exceed 2 seconds. </source>
        <translation>La durée d&apos;arc ne doit pas dépasser 2 secondes. </translation>
    </message>
    <message>
        <source>Enter valid arcing time for reduced current</source>
        <translation>Saisissez une durée d&apos;arc valide au courant réduit</translation>
    </message>
    <message>
        <source>Arcing time for reduced current should not exceed 2 seconds. </source>
        <translation>La durée d&apos;arc au courant réduit ne doit pas dépasser 2 secondes. </translation>
    </message>
    <message>
        <source>Enter voltage value. </source>
        <translation>Saisissez la tension. </translation>
    </message>
    <message>
        <source>Voltage below 208 V. </source>
        <translation>Tension inférieure à 208 V. </translation>
    </message>
    <message>
        <source>Voltage above 15000 V. </source>
        <translation>Tension supérieure à 15000 V. </translation>
    </message>
    <message>
        <source>Enter bolted current value. </source>
        <translation>Saisissez le courant de défaut franc. </translation>
    </message>
    <message>
        <source>Bolted current below 0.5 kA (208-600 V). </source>
        <translation>Courant franc inférieur à 0,5 kA (208-600 V). </translation>
    </message>
    <message>
        <source>Bolted current above 106 kA (208-600 V). </source>
        <translation>Courant franc supérieur à 106 kA (208-600 V). </translation>
    </message>
    <message>
        <source>Bolted current below 0.2 kA (above 600 V). </source>
        <translation>Courant franc inférieur à 0,2 kA (plus de 600 V). </translation>
    </message>
    <message>
        <source>Bolted current above 65 kA (above 600 V). </source>
        <translation>Courant franc supérieur à 65 kA (plus de 600 V). </translation>
    </message>
    <message>
        <source>Enter gap value. </source>
        <translation>Saisissez l&apos;écart. </translation>
    </message>
    <message>
        <source>Enter working distance value. </source>
        <translation>Saisissez la distance de travail. </translation>
    </message>
    <message>
        <source>Electrode configuration not selected. </source>
        <translation>La configuration des électrodes n&apos;est pas choisie. </translation>
    </message>
    <message>
        <source>Enter enclosure height value. </source>
        <translation>Saisissez la hauteur de l&apos;enveloppe. </translation>
    </message>
    <message>
        <source>Enter enclosure width value. </source>
        <translation>Saisissez la largeur de l&apos;enveloppe. </translation>
    </message>
    <message>
        <source>Enter enclosure depth value. </source>
        <translation>Saisissez la profondeur de l&apos;enveloppe. </translation>
    </message>
    <message>
        <source>Enclosure height not positive. </source>
        <translation>La hauteur de l&apos;enveloppe n&apos;est pas positive. </translation>
    </message>
    <message>
        <source>Enclosure depth not positive. </source>
        <translation>La profondeur de l&apos;enveloppe n&apos;est pas positive. </translation>
    </message>
    <message>
        <source>Enclosure width below 4 x gap. </source>
        <translation>Largeur de l&apos;enveloppe inférieure à 4 fois l&apos;écart. </translation>
    </message>
    <message>
        <source>Enclosure too small for the size correction. </source>
        <translation>Enveloppe trop petite pour la correction de taille. </translation>
    </message>
    <message>
        <source>Enter arc duration value. </source>
        <translation>Saisissez la durée de l&apos;arc. </translation>
    </message>
    <message>
        <source>Enter arc duration value for reduced current. </source>
        <translation>Saisissez la durée de l&apos;arc au courant réduit. </translation>
    </message>
    <message>
        <source>Arcing current not defined for these inputs. </source>
        <translation>Le courant d&apos;arc n&apos;est pas défini pour ces données. </translation>
    </message>
    <message>
        <source>Incident energy not defined for these inputs. </source>
        <translation>L&apos;énergie incidente n&apos;est pas définie pour ces données. </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>« %1 » n&apos;est pas un nombre valide</translation>
    </message>
    <message>
        <source>Gap between conductors (%1):</source>
        <translation>Écart entre conducteurs (%1) :</translation>
    </message>
    <message>
        <source>Gap between electrodes (%1):</source>
        <translation>Écart entre électrodes (%1) :</translation>
    </message>
    <message>
        <source>Enclosure height (%1):</source>
        <translation>Hauteur de l&apos;enveloppe (%1) :</translation>
    </message>
    <message>
        <source>Enclosure width (%1):</source>
        <translation>Largeur de l&apos;enveloppe (%1) :</translation>
    </message>
    <message>
        <source>Enclosure depth (%1):</source>
        <translation>Profondeur de l&apos;enveloppe (%1) :</translation>
    </message>
    <message>
        <source>Working distance (%1):</source>
        <translation>Distance de travail (%1) :</translation>
    </message>
    <message>
        <source>Incident energy exposure (%1):</source>
        <translation>Énergie incidente (%1) :</translation>
    </message>
    <message>
        <source>Flash protection boundary (%1):</source>
        <translation>Frontière d&apos;arc électrique (%1) :</translation>
    </message>
    <message>
        <source>Limited approach boundary (%1):</source>
        <translation>Frontière d&apos;approche limitée (%1) :</translation>
    </message>
    <message>
        <source>Restricted approach boundary (%1):</source>
        <translation>Frontière d&apos;approche restreinte (%1) :</translation>
    </message>
    <message>
        <source>Prohibited approach boundary (%1):</source>
        <translation>Frontière d&apos;approche interdite (%1) :</translation>
    </message>
    <message>
        <source>Initial pressure (%1):</source>
        <translation>Pression initiale (%1) :</translation>
    </message>
    <message>
        <source>Initial Pressure (%1):</source>
        <translation>Pression initiale (%1) :</translation>
    </message>
    <message>
        <source>TNT Equivalent (%1):</source>
        <translation>Équivalent TNT (%1) :</translation>
    </message>
    <message>
        <source>Equipment type:</source>
        <translation>Type d&apos;équipement :</translation>
    </message>
    <message>
        <source>Grounding:</source>
        <translation>Mise à la terre :</translation>
    </message>
    <message>
        <source>Arc Duration @ 15% Reduced Arc Current (sec):</source>
        <translation>Durée au courant d&apos;arc réduit de 15 % (s) :</translation>
    </message>
    <message>
        <source>Available 3Ph Bolted Current (kA):</source>
        <translation>Courant de défaut franc tri. (kA) :</translation>
    </message>
    <message>
        <source>Predicted 3Ph Arcing Current (kA):</source>
        <translation>Courant d&apos;arc tri. prévu (kA) :</translation>
    </message>
    <message>
        <source>System voltage (V):</source>
        <translation>Tension du réseau (V) :</translation>
    </message>
    <message>
        <source>Level of PPE:</source>
        <translation>Niveau d&apos;EPI :</translation>
    </message>
    <message>
        <source>Typical protective clothing system:</source>
        <translation>Tenue de protection type :</translation>
    </message>
    <message>
        <source>Based on equations for:</source>
        <translation>Selon les équations de :</translation>
    </message>
    <message>
        <source>System summary</source>
        <translation>Résumé du réseau</translation>
    </message>
    <message>
        <source>Calculation results (100% arcing current):</source>
        <translation>Résultats (100 % du courant d&apos;arc) :</translation>
    </message>
    <message>
        <source>Calculation results (85% arcing current): </source>
        <translation>Résultats (85 % du courant d&apos;arc) : </translation>
    </message>
    <message>
        <source>Calculation results:</source>
        <translation>Résultats du calcul :</translation>
    </message>
    <message>
        <source>Calculations based on the IEEE 1584 empirical model</source>
        <translation>Calculs selon le modèle empirique IEEE 1584</translation>
    </message>
    <message>
        <source>The calculation results below are based upon IEEE 1584 Fuse Equations.</source>
        <translation>Les résultats ci-dessous reposent sur les équations fusibles IEEE 1584.</translation>
    </message>
    <message>
        <source>They are intended to help determine  the  PPE level of  protection against</source>
        <translation>Ils aident à déterminer le niveau d&apos;EPI de protection contre</translation>
    </message>
    <message>
        <source>radiated heat only.  Actual  arc flash  severity  could be  different from the </source>
        <translation>la seule chaleur rayonnée. La gravité réelle de l’arc peut différer</translation>
    </message>
    <message>
        <source>results shown below. </source>
        <translation>des résultats ci-dessous.</translation>
    </message>
    <message>
        <source>Calculations are based on 3-phase test at 600 V with an electrode </source>
        <translation>Les calculs reposent sur un essai triphasé à 600 V avec un</translation>
    </message>
    <message>
        <source>gap  of  32 mm  in  a  switchgear  sized  enclosure 20&quot; x 20&quot; x20 &quot;</source>
        <translation>écart de 32 mm dans une enveloppe d&apos;appareillage de 20&quot; x 20&quot; x 20&quot;</translation>
    </message>
    <message>
        <source>The calculation results below are based upon IEEE 1584 equations  </source>
        <translation>Les résultats ci-dessous reposent sur les équations IEEE 1584</translation>
    </message>
    <message>
        <source>for incident energy and flash protection boundary by circuit breaker  </source>
        <translation>d&apos;énergie incidente et de frontière d&apos;arc électrique selon le type</translation>
    </message>
    <message>
        <source>type   and   rating.   The   results   are   based  on  3-phase  tests in   </source>
        <translation>et le calibre du disjoncteur. Les résultats reposent sur des essais</translation>
    </message>
    <message>
        <source>20&quot;x20&quot;x20&quot; ( 508x508x508mm. ) enclosure with an electrode  gap</source>
        <translation>enveloppe de 20&quot;x20&quot;x20&quot; (508x508x508 mm) avec un écart</translation>
    </message>
    <message>
        <source>of  1  inch  ( 25mm ).  Actual  arc  flash  severity  could  be  different </source>
        <translation>de 1 pouce (25 mm). La gravité réelle de l&apos;arc peut différer</translation>
    </message>
    <message>
        <source>from the results shown in this window. </source>
        <translation>des résultats de cette fenêtre.</translation>
    </message>
    <message>
        <source>Arc Flash &amp; Shock Hazard</source>
        <translation>Danger d&apos;arc électrique et de choc</translation>
    </message>
    <message>
        <source>Equipment type</source>
        <translation>Type d&apos;équipement</translation>
    </message>
    <message>
        <source>Grounding</source>
        <translation>Mise à la terre</translation>
    </message>
    <message>
        <source>Work Distance</source>
        <translation>Distance de travail</translation>
    </message>
    <message>
        <source>Available bolted current</source>
        <translation>Courant de défaut franc disponible</translation>
    </message>
    <message>
        <source>Limited approach boundary</source>
        <translation>Frontière d&apos;approche limitée</translation>
    </message>
    <message>
        <source>Restricted approach boundary</source>
        <translation>Frontière d&apos;approche restreinte</translation>
    </message>
    <message>
        <source>Prohibited approach boundary</source>
        <translation>Frontière d&apos;approche interdite</translation>
    </message>
    <message>
        <source>Flash protection boundary</source>
        <translation>Frontière d&apos;arc électrique</translation>
    </message>
    <message>
        <source>Incident energy at work distance</source>
        <translation>Énergie incidente à la distance de travail</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>Pression</translation>
    </message>
    <message>
        <source>TNT equivalent</source>
        <translation>Équivalent TNT</translation>
    </message>
    <message>
        <source>PPE level</source>
        <translation>Niveau d&apos;EPI</translation>
    </message>
    <message>
        <source>Typical protective clothing systems</source>
        <translation>Tenues de protection types</translation>
    </message>
    <message>
        <source>Equipment name</source>
        <translation>Nom de l&apos;équipement</translation>
    </message>
    <message>
        <source>Date created</source>
        <translation>Date de création</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Avertissement !</translation>
    </message>
    <message>
        <source>Gap below 6.35 mm (208-600 V). </source>
        <translation>Écart inférieur à 6,35 mm (208-600 V). </translation>
    </message>
    <message>
        <source>Gap above 76.2 mm (208-600 V). </source>
        <translation>Écart supérieur à 76,2 mm (208-600 V). </translation>
    </message>
    <message>
        <source>Gap below 19.05 mm (above 600 V). </source>
        <translation>Écart inférieur à 19,05 mm (plus de 600 V). </translation>
    </message>
    <message>
        <source>Gap above 254 mm (above 600 V). </source>
        <translation>Écart supérieur à 254 mm (plus de 600 V). </translation>
    </message>
    <message>
        <source>Working distance below 305 mm. </source>
        <translation>Distance de travail inférieure à 305 mm. </translation>
    </message>
    <message>
        <source>Gap below 6.35 mm (%1 inches) (208-600 V). </source>
        <translation>Écart inférieur à 6,35 mm (%1 pouces) (208-600 V). </translation>
    </message>
    <message>
        <source>Gap above 76.2 mm (%1 inches) (208-600 V). </source>
        <translation>Écart supérieur à 76,2 mm (%1 pouces) (208-600 V). </translation>
    </message>
    <message>
        <source>Gap below 19.05 mm (%1 inches) (above 600 V). </source>
        <translation>Écart inférieur à 19,05 mm (%1 pouces) (plus de 600 V). </translation>
    </message>
    <message>
        <source>Gap above 254 mm (%1 inches) (above 600 V). </source>
        <translation>Écart supérieur à 254 mm (%1 pouces) (plus de 600 V). </translation>
    </message>
    <message>
        <source>Working distance below 305 mm (%1 inches). </source>
        <translation>Distance de travail inférieure à 305 mm (%1 pouces). </translation>
    </message>
    <message>
        <source>Protective device does not operate at %1 kA arcing current. </source>
        <translation>Le dispositif de protection n’agit pas à un courant d’arc de %1 kA. </translation>
    </message>
    <message>
        <source>Arc duration must be above 0 s. </source>
        <translation>La durée de l&apos;arc doit être supérieure à 0 s. </translation>
    </message>
    <message>
        <source>Arc duration for reduced current must be above 0 s. </source>
        <translation>La durée de l&apos;arc au courant réduit doit être supérieure à 0 s. </translation>
    </message>
    <message>
        <source>Arc duration must be at least 0.001 s. </source>
        <translation>La durée de l&apos;arc doit être d&apos;au moins 0,001 s. </translation>
    </message>
    <message>
        <source>Arc duration for reduced current must be at least 0.001 s. </source>
        <translation>La durée de l&apos;arc au courant réduit doit être d&apos;au moins 0,001 s. </translation>
    </message>
    <message>
        <source>must be at least 0.001 s</source>
        <translation>doit être d&apos;au moins 0,001 s</translation>
    </message>
    <message>
        <source>the relay and its breaker would clear in less than 0.001 s, faster than any protective device</source>
        <translation>le relais et son disjoncteur élimineraient le défaut en moins de 0,001 s, plus vite qu&apos;aucun dispositif de protection</translation>
    </message>
    <message>
        <source>current must be above the point before by more than 1e-9 of it</source>
        <translation>le courant doit dépasser celui du point précédent de plus de 1e-9 de celui-ci</translation>
    </message>
    <message>
        <source>%1 A is below 1 A primary: check the setting</source>
        <translation>%1 A est inférieur à 1 A au primaire : vérifiez le réglage</translation>
    </message>
    <message>
        <source>%1 is outside 0.01 to 20: check the setting</source>
        <translation>%1 est hors de 0,01 à 20 : vérifiez le réglage</translation>
    </message>
    <message>
        <source>%1 A is below the pickup (%2 A): check the setting</source>
        <translation>%1 A est inférieur au seuil (%2 A) : vérifiez le réglage</translation>
    </message>
    <message>
        <source>%1 is outside 0.4 to 1 of the rating: check the setting</source>
        <translation>%1 est hors de 0,4 à 1 du calibre : vérifiez le réglage</translation>
    </message>
    <message>
        <source>%1 (%2 A) is below the long-time pickup (%3 A): check the setting</source>
        <translation>%1 (%2 A) est inférieur au seuil long retard (%3 A) : vérifiez le réglage</translation>
    </message>
    <message>
        <source>%1 s is above 10000 s: check the curve</source>
        <translation>%1 s est supérieur à 10000 s : vérifiez la courbe</translation>
    </message>
    <message>
        <source>enter a value</source>
        <translation>saisissez une valeur</translation>
    </message>
    <message>
        <source>Voltage must be above 0 V. </source>
        <translation>La tension doit être supérieure à 0 V. </translation>
    </message>
    <message>
        <source>Enter bolted current or source resistance value. </source>
        <translation>Saisissez le courant de défaut franc ou la résistance de la source. </translation>
    </message>
    <message>
        <source>Give the bolted current or the source resistance, not both. </source>
        <translation>Donnez le courant de défaut franc ou la résistance de la source, pas les deux. </translation>
    </message>
    <message>
        <source>Bolted current must be above 0 kA. </source>
        <translation>Le courant de défaut franc doit être supérieur à 0 kA. </translation>
    </message>
    <message>
        <source>Source resistance must be above 0 ohm. </source>
        <translation>La résistance de la source doit être supérieure à 0 ohm. </translation>
    </message>
    <message>
        <source>Enter gap value (arc-resistance method). </source>
        <translation>Saisissez l’écart (méthode de la résistance d’arc). </translation>
    </message>
    <message>
        <source>Gap must be above 0 mm. </source>
        <translation>L’écart doit être supérieur à 0 mm. </translation>
    </message>
    <message>
        <source>Working distance must be above 0 mm. </source>
        <translation>La distance de travail doit être supérieure à 0 mm. </translation>
    </message>
    <message>
        <source>Bolted current must be from 0.001 kA to 1000 kA. </source>
        <translation>Le courant de défaut franc doit être compris entre 0,001 kA et 1000 kA. </translation>
    </message>
    <message>
        <source>Source resistance must be from 0.00001 ohm to 1000 ohm. </source>
        <translation>La résistance de la source doit être comprise entre 0,00001 ohm et 1000 ohm. </translation>
    </message>
    <message>
        <source>Gap must be from 1 mm to 1000 mm. </source>
        <translation>L’écart doit être compris entre 1 mm et 1000 mm. </translation>
    </message>
    <message>
        <source>Working distance must be from 100 mm to 100000 mm. </source>
        <translation>La distance de travail doit être comprise entre 100 mm et 100000 mm. </translation>
    </message>
    <message>
        <source>Arc duration must be at most 10000 s. </source>
        <translation>La durée de l&apos;arc doit être d&apos;au plus 10000 s. </translation>
    </message>
    <message>
        <source>Enclosure not selected. </source>
        <translation>Aucune enveloppe choisie. </translation>
    </message>
    <message>
        <source>Arc may not be sustained: arcing current below 10 + 0.2 x gap A. </source>
        <translation>L’arc peut ne pas s’entretenir : courant d’arc inférieur à 10 + 0,2 x écart A. </translation>
    </message>
    <message>
        <source>Arc may not be sustained: arc voltage not below the system voltage. </source>
        <translation>L’arc peut ne pas s’entretenir : tension d’arc non inférieure à celle du réseau. </translation>
    </message>
    <message>
        <source>Arc duration: none typed and no protective device, 2 s assumed. </source>
        <translation>Durée de l’arc : aucune saisie et aucun dispositif de protection, 2 s supposées. </translation>
    </message>
    <message>
        <source>Not computed: the calculation was stopped before this row. Compute again to finish it.</source>
        <translation>Non calculée : le calcul a été arrêté avant cette ligne. Calculez de nouveau pour le terminer.</translation>
    </message>
    <message>
        <source>Voltage must be from 1 V to 800000 V. </source>
        <translation>La tension doit être comprise entre 1 V et 800000 V. </translation>
    </message>
    <message>
        <source>At or below 150 V DC an arc is hard to sustain; the energy assumes it is sustained. </source>
        <translation>À 150 V c.c. ou moins, un arc se maintient difficilement ; l’énergie suppose qu’il se maintient. </translation>
    </message>
    <message>
        <source>Shock approach boundaries: not specified below 50 V DC. </source>
        <translation>Frontières d’approche contre les chocs : non spécifiées sous 50 V c.c. </translation>
    </message>
    <message>
        <source>the relay does not operate at %1 kA: exposure limited to %2 s. </source>
        <translation>le relais n’agit pas à %1 kA : exposition limitée à %2 s. </translation>
    </message>
    <message>
        <source>the trip unit does not operate at %1 kA: exposure limited to %2 s. </source>
        <translation>le déclencheur n’agit pas à %1 kA : exposition limitée à %2 s. </translation>
    </message>
    <message>
        <source>the fuse does not operate at %1 kA: exposure limited to %2 s. </source>
        <translation>le fusible n’agit pas à %1 kA : exposition limitée à %2 s. </translation>
    </message>
    <message>
        <source>the relay takes %1 s at %2 kA: exposure limited to %3 s. </source>
        <translation>le relais met %1 s à %2 kA : exposition limitée à %3 s. </translation>
    </message>
    <message>
        <source>the trip unit takes %1 s at %2 kA: exposure limited to %3 s. </source>
        <translation>le déclencheur met %1 s à %2 kA : exposition limitée à %3 s. </translation>
    </message>
    <message>
        <source>the fuse takes %1 s at %2 kA: exposure limited to %3 s. </source>
        <translation>le fusible met %1 s à %2 kA : exposition limitée à %3 s. </translation>
    </message>
    <message>
        <source>no device opens before the maximum arc duration: exposure limited to %1 s. </source>
        <translation>aucun dispositif n’ouvre avant la durée d’arc maximale : exposition limitée à %1 s. </translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>Sans objet</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>pouces</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::OneLineCanvas</name>
    <message>
        <source>One-line diagram</source>
        <translation>Schéma unifilaire</translation>
    </message>
    <message>
        <source>No network to draw: no row of the study names a bus.</source>
        <translation>Aucun réseau à dessiner : aucune ligne de l&apos;étude ne nomme de jeu de barres.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::OneLineDock</name>
    <message>
        <source>One-line diagram</source>
        <translation>Schéma unifilaire</translation>
    </message>
    <message>
        <source>Scena&amp;rio:</source>
        <translation>Scénari&amp;o :</translation>
    </message>
    <message>
        <source>The scenario whose network is drawn; the notes give each bus&apos;s worst point</source>
        <translation>Le scénario dont le réseau est dessiné ; les notes donnent le pire point de chaque jeu de barres</translation>
    </message>
    <message>
        <source>Fit to &amp;window</source>
        <translation>A&amp;juster à la fenêtre</translation>
    </message>
    <message>
        <source>Export one-l&amp;ine…</source>
        <translation>Exporter l&apos;&amp;unifilaire…</translation>
    </message>
    <message>
        <source>I max</source>
        <translation>I max</translation>
    </message>
    <message>
        <source>I min</source>
        <translation>I min</translation>
    </message>
    <message>
        <source>PPE</source>
        <translation>EPI</translation>
    </message>
    <message>
        <source>no fault current</source>
        <translation>pas de courant de défaut</translation>
    </message>
    <message>
        <source>no point computed</source>
        <translation>aucun point calculé</translation>
    </message>
    <message>
        <source>trip</source>
        <comment>a trip unit&apos;s rating on the one-line</comment>
        <translation>décl.</translation>
    </message>
    <message>
        <source>relay</source>
        <comment>a relay&apos;s pickup on the one-line</comment>
        <translation>relais</translation>
    </message>
    <message>
        <source>fuse</source>
        <comment>a fuse curve&apos;s name on the one-line</comment>
        <translation>fusible</translation>
    </message>
    <message>
        <source>sets</source>
        <comment>a cable&apos;s conductors in parallel on the one-line</comment>
        <translation>jeux</translation>
    </message>
    <message>
        <source>Export one-line as</source>
        <translation>Exporter l&apos;unifilaire sous</translation>
    </message>
    <message>
        <source>SVG pictures (*.svg)</source>
        <translation>images SVG (*.svg)</translation>
    </message>
    <message>
        <source>The one-line is not written over its own study: choose another file.</source>
        <translation>L&apos;unifilaire n&apos;est pas écrit sur sa propre étude : choisissez un autre fichier.</translation>
    </message>
    <message>
        <source>No network to draw: no row of the study names a bus.</source>
        <translation>Aucun réseau à dessiner : aucune ligne de l&apos;étude ne nomme de jeu de barres.</translation>
    </message>
    <message>
        <source>One-line diagram, scenario %1</source>
        <translation>Schéma unifilaire, scénario %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Re&amp;name bus %1…</source>
        <translation>R&amp;enommer le jeu de barres %1…</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::QtDialogService</name>
    <message>
        <source>Save results to</source>
        <translation>Enregistrer les résultats dans</translation>
    </message>
    <message>
        <source>text files (*.txt)</source>
        <translation>fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Avertissement !</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Enregistrer les modifications</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Abandonner</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Duplicate rows</source>
        <translation>Dupliquer les lignes</translation>
    </message>
    <message>
        <source>Copy the &amp;branch too</source>
        <translation>Copier aussi la &amp;branche</translation>
    </message>
    <message>
        <source>&amp;Only the point</source>
        <translation>&amp;Seulement le point</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::StudyModel</name>
    <message>
        <source>Edit %1</source>
        <translation>Modifier %1</translation>
    </message>
    <message>
        <source>Delete rows</source>
        <translation>Supprimer les lignes</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Méthode</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Tension</translation>
    </message>
    <message>
        <source>Bolted fault current</source>
        <translation>Courant de défaut franc</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Écart</translation>
    </message>
    <message>
        <source>Gap unit</source>
        <translation>Unité de l&apos;écart</translation>
    </message>
    <message>
        <source>Working distance unit</source>
        <translation>Unité de la distance de travail</translation>
    </message>
    <message>
        <source>Working distance</source>
        <translation>Distance de travail</translation>
    </message>
    <message>
        <source>Equipment class</source>
        <translation>Classe d&apos;équipement</translation>
    </message>
    <message>
        <source>Grounding</source>
        <translation>Mise à la terre</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Durée de l&apos;arc</translation>
    </message>
    <message>
        <source>Arc duration, reduced</source>
        <translation>Durée de l&apos;arc, réduite</translation>
    </message>
    <message>
        <source>Fuse class</source>
        <translation>Classe de fusible</translation>
    </message>
    <message>
        <source>Breaker type</source>
        <translation>Type de disjoncteur</translation>
    </message>
    <message>
        <source>Interrupting rating</source>
        <translation>Pouvoir de coupure</translation>
    </message>
    <message>
        <source>Instantaneous trip</source>
        <translation>Déclenchement instantané</translation>
    </message>
    <message>
        <source>Electrode configuration</source>
        <translation>Configuration des électrodes</translation>
    </message>
    <message>
        <source>Enclosure height</source>
        <translation>Hauteur de l&apos;enveloppe</translation>
    </message>
    <message>
        <source>Enclosure width</source>
        <translation>Largeur de l&apos;enveloppe</translation>
    </message>
    <message>
        <source>Enclosure depth</source>
        <translation>Profondeur de l&apos;enveloppe</translation>
    </message>
    <message>
        <source>Enclosure unit</source>
        <translation>Unité de l&apos;enveloppe</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Arcing current, full</source>
        <translation>Courant d&apos;arc, complet</translation>
    </message>
    <message>
        <source>Arcing current, reduced</source>
        <translation>Courant d&apos;arc, réduit</translation>
    </message>
    <message>
        <source>Incident energy, full</source>
        <translation>Énergie incidente, complet</translation>
    </message>
    <message>
        <source>Flash boundary, full</source>
        <translation>Frontière d&apos;arc électrique, complet</translation>
    </message>
    <message>
        <source>PPE level, full</source>
        <translation>Niveau d&apos;EPI, complet</translation>
    </message>
    <message>
        <source>Clothing, full, line 1</source>
        <translation>Vêtements, complet, ligne 1</translation>
    </message>
    <message>
        <source>Clothing, full, line 2</source>
        <translation>Vêtements, complet, ligne 2</translation>
    </message>
    <message>
        <source>Incident energy, reduced</source>
        <translation>Énergie incidente, réduit</translation>
    </message>
    <message>
        <source>Flash boundary, reduced</source>
        <translation>Frontière d&apos;arc électrique, réduit</translation>
    </message>
    <message>
        <source>PPE level, reduced</source>
        <translation>Niveau d&apos;EPI, réduit</translation>
    </message>
    <message>
        <source>Clothing, reduced, line 1</source>
        <translation>Vêtements, réduit, ligne 1</translation>
    </message>
    <message>
        <source>Clothing, reduced, line 2</source>
        <translation>Vêtements, réduit, ligne 2</translation>
    </message>
    <message>
        <source>Pressure, full</source>
        <translation>Pression, complet</translation>
    </message>
    <message>
        <source>Pressure, reduced</source>
        <translation>Pression, réduit</translation>
    </message>
    <message>
        <source>TNT equivalent, full</source>
        <translation>Équivalent TNT, complet</translation>
    </message>
    <message>
        <source>TNT equivalent, reduced</source>
        <translation>Équivalent TNT, réduit</translation>
    </message>
    <message>
        <source>Limited approach boundary</source>
        <translation>Frontière d&apos;approche limitée</translation>
    </message>
    <message>
        <source>Restricted approach boundary</source>
        <translation>Frontière d&apos;approche restreinte</translation>
    </message>
    <message>
        <source>Prohibited approach boundary</source>
        <translation>Frontière d&apos;approche interdite</translation>
    </message>
    <message>
        <source>Governing case</source>
        <translation>Cas déterminant</translation>
    </message>
    <message>
        <source>Equations</source>
        <translation>Équations</translation>
    </message>
    <message>
        <source>Incident energy, governing</source>
        <translation>Énergie incidente, déterminant</translation>
    </message>
    <message>
        <source>Flash boundary, governing</source>
        <translation>Frontière d&apos;arc électrique, déterminant</translation>
    </message>
    <message>
        <source>PPE level, governing</source>
        <translation>Niveau d&apos;EPI, déterminant</translation>
    </message>
    <message>
        <source>Enclosure type</source>
        <translation>Type d&apos;enveloppe</translation>
    </message>
    <message>
        <source>Enclosure correction factor</source>
        <translation>Facteur de correction de l&apos;enveloppe</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Add row</source>
        <translation>Ajouter une ligne</translation>
    </message>
    <message>
        <source>Duplicate rows</source>
        <translation>Dupliquer les lignes</translation>
    </message>
    <message>
        <source>Pasted row %1: &apos;%2&apos; in column %3 is not a number.</source>
        <translation>Ligne collée %1 : « %2 » dans la colonne %3 n&apos;est pas un nombre.</translation>
    </message>
    <message>
        <source>Paste rows</source>
        <translation>Coller les lignes</translation>
    </message>
    <message>
        <source>Protective device</source>
        <translation>Dispositif de protection</translation>
    </message>
    <message>
        <source>Relay curve</source>
        <translation>Courbe du relais</translation>
    </message>
    <message>
        <source>Relay pickup</source>
        <translation>Seuil du relais</translation>
    </message>
    <message>
        <source>Relay time dial</source>
        <translation>Multiplicateur de temps du relais</translation>
    </message>
    <message>
        <source>Relay instantaneous pickup</source>
        <translation>Seuil instantané du relais</translation>
    </message>
    <message>
        <source>Relay instantaneous delay</source>
        <translation>Retard instantané du relais</translation>
    </message>
    <message>
        <source>Breaker interrupting time</source>
        <translation>Temps de coupure du disjoncteur</translation>
    </message>
    <message>
        <source>Trip unit rating</source>
        <translation>Calibre du déclencheur</translation>
    </message>
    <message>
        <source>Long-time pickup</source>
        <translation>Seuil long retard</translation>
    </message>
    <message>
        <source>Long-time delay</source>
        <translation>Temporisation long retard</translation>
    </message>
    <message>
        <source>Short-time pickup</source>
        <translation>Seuil court retard</translation>
    </message>
    <message>
        <source>Short-time delay</source>
        <translation>Temporisation court retard</translation>
    </message>
    <message>
        <source>Instantaneous pickup</source>
        <translation>Seuil instantané</translation>
    </message>
    <message>
        <source>Instantaneous clearing time</source>
        <translation>Temps de coupure instantané</translation>
    </message>
    <message>
        <source>Trip band tolerance</source>
        <translation>Tolérance de la bande de déclenchement</translation>
    </message>
    <message>
        <source>Fuse curve</source>
        <translation>Courbe du fusible</translation>
    </message>
    <message>
        <source>Device share of the current</source>
        <translation>Part du courant dans le dispositif</translation>
    </message>
    <message>
        <source>Maximum arc duration</source>
        <translation>Durée d’arc maximale</translation>
    </message>
    <message>
        <source>Arc duration used, full</source>
        <translation>Durée d’arc retenue, complète</translation>
    </message>
    <message>
        <source>Arc duration used, reduced</source>
        <translation>Durée d’arc retenue, réduite</translation>
    </message>
    <message>
        <source>Device element, full</source>
        <translation>Élément du dispositif, complet</translation>
    </message>
    <message>
        <source>Device element, reduced</source>
        <translation>Élément du dispositif, réduit</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>Jeu de barres</translation>
    </message>
    <message>
        <source>From bus</source>
        <translation>Depuis le jeu de barres</translation>
    </message>
    <message>
        <source>Branch type</source>
        <translation>Type de branche</translation>
    </message>
    <message>
        <source>Source fault current</source>
        <translation>Courant de défaut de la source</translation>
    </message>
    <message>
        <source>Source X/R</source>
        <translation>X/R de la source</translation>
    </message>
    <message>
        <source>Source fault current, minimum</source>
        <translation>Courant de défaut de la source, minimal</translation>
    </message>
    <message>
        <source>Transformer rating</source>
        <translation>Puissance du transformateur</translation>
    </message>
    <message>
        <source>Transformer impedance</source>
        <translation>Impédance du transformateur</translation>
    </message>
    <message>
        <source>Transformer X/R</source>
        <translation>X/R du transformateur</translation>
    </message>
    <message>
        <source>Cable length</source>
        <translation>Longueur du câble</translation>
    </message>
    <message>
        <source>Cable resistance</source>
        <translation>Résistance du câble</translation>
    </message>
    <message>
        <source>Cable reactance</source>
        <translation>Réactance du câble</translation>
    </message>
    <message>
        <source>Cable sets</source>
        <translation>Conducteurs en parallèle</translation>
    </message>
    <message>
        <source>Motor rating</source>
        <translation>Puissance des moteurs</translation>
    </message>
    <message>
        <source>Motor reactance</source>
        <translation>Réactance des moteurs</translation>
    </message>
    <message>
        <source>Motor X/R</source>
        <translation>X/R des moteurs</translation>
    </message>
    <message>
        <source>Bolted fault current, maximum</source>
        <translation>Courant de court-circuit franc, maximal</translation>
    </message>
    <message>
        <source>Bolted fault current, minimum</source>
        <translation>Courant de court-circuit franc, minimal</translation>
    </message>
    <message>
        <source>Fault current case</source>
        <translation>Cas</translation>
    </message>
    <message>
        <source>Branch share</source>
        <translation>Part de la branche</translation>
    </message>
    <message>
        <source>Branch share, minimum</source>
        <translation>Part de la branche, minimale</translation>
    </message>
    <message>
        <source>Pasted row %1: &apos;%2&apos; in column %3 is not a number or &quot;none&quot;.</source>
        <translation>Ligne collée %1 : « %2 » dans la colonne %3 n&apos;est ni un nombre ni « none ».</translation>
    </message>
    <message>
        <source>Cable temperature at the end of a fault</source>
        <translation>Température du câble en fin de défaut</translation>
    </message>
    <message>
        <source>Transformer rated voltage, HV</source>
        <translation>Tension assignée du transformateur, HT</translation>
    </message>
    <message>
        <source>Transformer rated voltage, MV</source>
        <translation>Tension assignée du transformateur, MT</translation>
    </message>
    <message>
        <source>Transformer rated voltage, LV</source>
        <translation>Tension assignée du transformateur, BT</translation>
    </message>
    <message>
        <source>Transformer tap</source>
        <translation>Prise du transformateur</translation>
    </message>
    <message>
        <source>Low-voltage bus</source>
        <translation>Jeu de barres basse tension</translation>
    </message>
    <message>
        <source>Transformer rating, MV winding</source>
        <translation>Puissance du transformateur, enroulement MT</translation>
    </message>
    <message>
        <source>Transformer rating, LV winding</source>
        <translation>Puissance du transformateur, enroulement BT</translation>
    </message>
    <message>
        <source>Transformer impedance, HV–LV</source>
        <translation>Impédance du transformateur, HT–BT</translation>
    </message>
    <message>
        <source>Transformer impedance, MV–LV</source>
        <translation>Impédance du transformateur, MT–BT</translation>
    </message>
    <message>
        <source>Transformer resistive voltage</source>
        <translation>Tension résistive du transformateur</translation>
    </message>
    <message>
        <source>Transformer resistive voltage, HV–LV</source>
        <translation>Tension résistive du transformateur, HT–BT</translation>
    </message>
    <message>
        <source>Transformer resistive voltage, MV–LV</source>
        <translation>Tension résistive du transformateur, MT–BT</translation>
    </message>
    <message>
        <source>Generator rating</source>
        <translation>Puissance du générateur</translation>
    </message>
    <message>
        <source>Generator rated voltage</source>
        <translation>Tension assignée du générateur</translation>
    </message>
    <message>
        <source>Generator subtransient reactance</source>
        <translation>Réactance subtransitoire du générateur</translation>
    </message>
    <message>
        <source>Generator X/R</source>
        <translation>X/R du générateur</translation>
    </message>
    <message>
        <source>Generator power factor</source>
        <translation>Facteur de puissance du générateur</translation>
    </message>
    <message>
        <source>Generator in the minimum case</source>
        <translation>Générateur dans le cas minimal</translation>
    </message>
    <message>
        <source>Generator voltage regulation range</source>
        <translation>Plage de réglage de tension du générateur</translation>
    </message>
    <message>
        <source>Unit transformer off-load tap</source>
        <translation>Prise hors charge du transformateur de groupe</translation>
    </message>
    <message>
        <source>Main of the line side</source>
        <translation>Disjoncteur général du côté ligne</translation>
    </message>
    <message>
        <source>Device interrupting rating</source>
        <translation>Pouvoir de coupure du dispositif</translation>
    </message>
    <message>
        <source>Line side of the device</source>
        <translation>Côté ligne du dispositif</translation>
    </message>
    <message>
        <source>Scenarios</source>
        <translation>Scénarios</translation>
    </message>
    <message>
        <source>Maintenance instantaneous pickup</source>
        <translation>Seuil instantané de maintenance</translation>
    </message>
    <message>
        <source>Maintenance instantaneous time</source>
        <translation>Temps instantané de maintenance</translation>
    </message>
    <message>
        <source>Arc-flash relay pickup</source>
        <translation>Seuil du relais d&apos;arc électrique</translation>
    </message>
    <message>
        <source>Arc-flash relay time</source>
        <translation>Temps du relais d&apos;arc électrique</translation>
    </message>
    <message>
        <source>Zone-selective interlocking</source>
        <translation>Sélectivité logique</translation>
    </message>
    <message>
        <source>Interlocked delay</source>
        <translation>Temporisation en sélectivité logique</translation>
    </message>
    <message>
        <source>Bus differential time</source>
        <translation>Temps de la différentielle de barres</translation>
    </message>
    <message>
        <source>Device at</source>
        <translation>Appareil côté</translation>
    </message>
    <message>
        <source>Maintenance scenario</source>
        <translation>Scénario de maintenance</translation>
    </message>
    <message>
        <source>Worst scenario</source>
        <translation>Pire scénario</translation>
    </message>
    <message>
        <source>Interrupting duty</source>
        <translation>Contrainte de coupure</translation>
    </message>
    <message>
        <source>Arc steps</source>
        <translation>Étapes de l’arc</translation>
    </message>
    <message>
        <source>Generator resistance</source>
        <translation>Résistance du générateur</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>correct</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>avertissement</translation>
    </message>
    <message>
        <source>error</source>
        <translation>erreur</translation>
    </message>
    <message>
        <source>full</source>
        <translation>complet</translation>
    </message>
    <message>
        <source>reduced</source>
        <translation>réduit</translation>
    </message>
    <message>
        <source>max</source>
        <translation>max.</translation>
    </message>
    <message>
        <source>min</source>
        <translation>min.</translation>
    </message>
    <message>
        <source>does not operate</source>
        <translation>ne fonctionne pas</translation>
    </message>
    <message>
        <source>instantaneous</source>
        <translation>instantané</translation>
    </message>
    <message>
        <source>short time</source>
        <translation>court retard</translation>
    </message>
    <message>
        <source>long time</source>
        <translation>long retard</translation>
    </message>
    <message>
        <source>inverse</source>
        <translation>inverse</translation>
    </message>
    <message>
        <source>definite time</source>
        <translation>temps constant</translation>
    </message>
    <message>
        <source>curve</source>
        <translation>courbe</translation>
    </message>
    <message>
        <source>capped</source>
        <translation>plafonnée</translation>
    </message>
    <message>
        <source>Add feeder</source>
        <translation>Ajouter un départ</translation>
    </message>
    <message>
        <source>Add point on the bus</source>
        <translation>Ajouter un point sur le jeu de barres</translation>
    </message>
    <message>
        <source>DC source resistance</source>
        <translation>Résistance de la source c.c.</translation>
    </message>
    <message>
        <source>DC enclosure</source>
        <translation>Enveloppe c.c.</translation>
    </message>
    <message>
        <source>Arc voltage</source>
        <translation>Tension d’arc</translation>
    </message>
    <message>
        <source>Arc power</source>
        <translation>Puissance d’arc</translation>
    </message>
    <message>
        <source>Worst over the range, arcing current</source>
        <translation>Pire sur la plage, courant d’arc</translation>
    </message>
    <message>
        <source>Worst over the range, incident energy</source>
        <translation>Pire sur la plage, énergie incidente</translation>
    </message>
    <message>
        <source>Source short-circuit power</source>
        <translation>Puissance de court-circuit de la source</translation>
    </message>
    <message>
        <source>Source short-circuit power, minimum</source>
        <translation>Puissance de court-circuit de la source, minimale</translation>
    </message>
    <message>
        <source>Incident energy in each scenario</source>
        <translation>Énergie incidente dans chaque scénario</translation>
    </message>
    <message>
        <source>Cable size</source>
        <translation>Section du câble</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TDcArcFlash</name>
    <message>
        <source>ZENTAVO: DC arc flash</source>
        <translation>ZENTAVO : arc électrique en c.c.</translation>
    </message>
    <message>
        <source>System and source</source>
        <translation>Réseau et source</translation>
    </message>
    <message>
        <source>Open air</source>
        <translation>Air libre</translation>
    </message>
    <message>
        <source>Box, 3 × open air (NFPA 70E)</source>
        <translation>Coffret, 3 × air libre (NFPA 70E)</translation>
    </message>
    <message>
        <source>LV switchgear (Wilkins)</source>
        <translation>Appareillage BT (Wilkins)</translation>
    </message>
    <message>
        <source>MV switchgear (Wilkins)</source>
        <translation>Appareillage MT (Wilkins)</translation>
    </message>
    <message>
        <source>Panelboard (Wilkins)</source>
        <translation>Panneau de distribution (Wilkins)</translation>
    </message>
    <message>
        <source>Choose an enclosure</source>
        <translation>Choisissez une enveloppe</translation>
    </message>
    <message>
        <source>empty: 2 s</source>
        <translation>vide : 2 s</translation>
    </message>
    <message>
        <source>Enclosure:</source>
        <translation>Enveloppe :</translation>
    </message>
    <message>
        <source>System voltage (V DC):</source>
        <translation>Tension du réseau (V c.c.) :</translation>
    </message>
    <message>
        <source>Bolted current (kA):</source>
        <translation>Courant de défaut franc (kA) :</translation>
    </message>
    <message>
        <source>or source resistance (Ω):</source>
        <translation>ou résistance de la source (Ω) :</translation>
    </message>
    <message>
        <source>Arc duration (sec):</source>
        <translation>Durée de l’arc (s) :</translation>
    </message>
    <message>
        <source>&amp;Compute</source>
        <translation>&amp;Calculer</translation>
    </message>
    <message>
        <source>Calculation results</source>
        <translation>Résultats du calcul</translation>
    </message>
    <message>
        <source>Maximum power</source>
        <translation>Puissance maximale</translation>
    </message>
    <message>
        <source>Arc resistance</source>
        <translation>Résistance d’arc</translation>
    </message>
    <message>
        <source>Arcing current (kA):</source>
        <translation>Courant d’arc (kA) :</translation>
    </message>
    <message>
        <source>Arc voltage (V):</source>
        <translation>Tension d’arc (V) :</translation>
    </message>
    <message>
        <source>Arc resistance (Ω):</source>
        <translation>Résistance d’arc (Ω) :</translation>
    </message>
    <message>
        <source>Arc power (kW):</source>
        <translation>Puissance d’arc (kW) :</translation>
    </message>
    <message>
        <source>Enclosure factor:</source>
        <translation>Facteur d’enveloppe :</translation>
    </message>
    <message>
        <source>Level of PPE:</source>
        <translation>Niveau d’EPI :</translation>
    </message>
    <message>
        <source>Typical protective clothing system:</source>
        <translation>Tenue de protection type :</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Durée de l’arc</translation>
    </message>
    <message>
        <source>Typed, or 2 s without a device</source>
        <translation>Saisie, ou 2 s sans dispositif</translation>
    </message>
    <message>
        <source>From a protective device</source>
        <translation>D’un dispositif de protection</translation>
    </message>
    <message>
        <source>Arc duration:</source>
        <translation>Durée de l’arc :</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>&amp;Save results</source>
        <translation>&amp;Enregistrer les résultats</translation>
    </message>
    <message>
        <source>Create &amp;label</source>
        <translation>Créer l’é&amp;tiquette</translation>
    </message>
    <message>
        <source>Method on the label:</source>
        <translation>Méthode sur l’étiquette :</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>does not operate</source>
        <translation>ne fonctionne pas</translation>
    </message>
    <message>
        <source>instantaneous</source>
        <translation>instantané</translation>
    </message>
    <message>
        <source>short time</source>
        <translation>court retard</translation>
    </message>
    <message>
        <source>long time</source>
        <translation>long retard</translation>
    </message>
    <message>
        <source>inverse</source>
        <translation>inverse</translation>
    </message>
    <message>
        <source>definite time</source>
        <translation>temps constant</translation>
    </message>
    <message>
        <source>curve</source>
        <translation>courbe</translation>
    </message>
    <message>
        <source>capped</source>
        <translation>plafonnée</translation>
    </message>
    <message>
        <source>arc-flash relay</source>
        <translation>relais d&apos;arc électrique</translation>
    </message>
    <message>
        <source>zone-selective interlocking</source>
        <translation>sélectivité logique</translation>
    </message>
    <message>
        <source>bus differential</source>
        <translation>différentielle de barres</translation>
    </message>
    <message>
        <source>%1 (assumed)</source>
        <translation>%1 (supposée)</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Iarc, maximum power</source>
        <translation>Iarc, puissance maximale</translation>
    </message>
    <message>
        <source>Iarc, arc resistance</source>
        <translation>Iarc, résistance d’arc</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>The device&apos;s time-current curve, with both arcing currents marked, once the point is computed</source>
        <translation>La courbe temps-courant du dispositif, les deux courants d&apos;arc marqués, une fois le point calculé</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TFormLabelType</name>
    <message>
        <source>Options: Label</source>
        <translation>Options : étiquette</translation>
    </message>
    <message>
        <source>Label type</source>
        <translation>Type d&apos;étiquette</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Black and white</source>
        <translation>Noir et blanc</translation>
    </message>
    <message>
        <source>Label language</source>
        <translation>Langue de l&apos;étiquette</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Label content</source>
        <translation>Contenu de l&apos;étiquette</translation>
    </message>
    <message>
        <source>Rows of the label</source>
        <translation>Lignes de l&apos;étiquette</translation>
    </message>
    <message>
        <source>Enter your line here </source>
        <translation>Saisissez votre ligne ici </translation>
    </message>
    <message>
        <source>&amp;Add line..</source>
        <translation>&amp;Ajouter…</translation>
    </message>
    <message>
        <source>&amp;Delete this line</source>
        <translation>&amp;Supprimer cette ligne</translation>
    </message>
    <message>
        <source>&amp;Save and exit</source>
        <translation>&amp;Valider et fermer</translation>
    </message>
    <message>
        <source>You can not add more lines. Please remove at least one from those you have already added by selecting and right clicking on it.</source>
        <translation>Impossible d&apos;ajouter d&apos;autres lignes. Supprimez au moins une de celles déjà ajoutées : sélectionnez-la et cliquez dessus avec le bouton droit.</translation>
    </message>
    <message>
        <source>This line can not be deleted.</source>
        <translation>Cette ligne ne peut pas être supprimée.</translation>
    </message>
    <message>
        <source>Label standard</source>
        <translation>Norme de l&apos;étiquette</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Classique</translation>
    </message>
    <message>
        <source>NFPA 70E-2024</source>
        <translation>NFPA 70E-2024</translation>
    </message>
    <message>
        <source>CSA Z462-2024</source>
        <translation>CSA Z462-2024</translation>
    </message>
    <message>
        <source>6 × 4 in</source>
        <translation>6 × 4 po</translation>
    </message>
    <message>
        <source>4 × 4 in</source>
        <translation>4 × 4 po</translation>
    </message>
    <message>
        <source>5 × 3.5 in</source>
        <translation>5 × 3,5 po</translation>
    </message>
    <message>
        <source>Label size</source>
        <translation>Format de l&apos;étiquette</translation>
    </message>
    <message>
        <source>DANGER above 600 V as well</source>
        <translation>DANGER aussi au-delà de 600 V</translation>
    </message>
    <message>
        <source>Assessment date</source>
        <translation>Date de l&apos;évaluation</translation>
    </message>
    <message>
        <source>Español</source>
        <translation>Espagnol</translation>
    </message>
    <message>
        <source>Français</source>
        <translation>Français</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TFormUnits</name>
    <message>
        <source>Options: Units</source>
        <translation>Options : unités</translation>
    </message>
    <message>
        <source>Input units</source>
        <translation>Unités d&apos;entrée</translation>
    </message>
    <message>
        <source>Gap between conductors</source>
        <translation>Écart</translation>
    </message>
    <message>
        <source>Working distance</source>
        <translation>Distance de travail</translation>
    </message>
    <message>
        <source>Output units</source>
        <translation>Unités de sortie</translation>
    </message>
    <message>
        <source>Protection boundaries</source>
        <translation>Frontières</translation>
    </message>
    <message>
        <source>Incident Energy</source>
        <translation>Énergie incidente</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>Pression</translation>
    </message>
    <message>
        <source>TNT Equivalent</source>
        <translation>Équivalent TNT</translation>
    </message>
    <message>
        <source>&amp;Ignore and close</source>
        <translation>&amp;Ignorer et fermer</translation>
    </message>
    <message>
        <source>&amp;Save and close</source>
        <translation>&amp;Valider et fermer</translation>
    </message>
    <message>
        <source>“%1” is not a unit for %2. Choose one of: %3.</source>
        <translation>« %1 » n&apos;est pas une unité pour %2. Choisissez l&apos;une de : %3.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TFormedit</name>
    <message>
        <source>This file is in Windows-1252, which cannot hold these characters: %1
Do you wish to save it in UTF-8 instead? (No saves nothing.)</source>
        <translation>Ce fichier est en Windows-1252, qui ne peut contenir ces caractères : %1
Voulez-vous l&apos;enregistrer en UTF-8 ? (Non n&apos;enregistre rien.)</translation>
    </message>
    <message>
        <source>Browser/Editor</source>
        <translation>Visionneuse/Éditeur</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>&amp;Enregistrer sous…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Co&amp;ller</translation>
    </message>
    <message>
        <source>Text of the file</source>
        <translation>Texte du fichier</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Fer&amp;mer</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>text files (*.txt)</source>
        <translation>fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>Save file as</source>
        <translation>Enregistrer le fichier sous</translation>
    </message>
    <message>
        <source>text fles (*.txt);;Zentavo files (*.ztv)</source>
        <translation>fichiers texte (*.txt);;fichiers Zentavo (*.ztv)</translation>
    </message>
    <message>
        <source>Do you wish to save changes?</source>
        <translation>Voulez-vous enregistrer les modifications ?</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TIeee2018</name>
    <message>
        <source>ZENTAVO: IEEE 1584-2018 model</source>
        <translation>ZENTAVO : modèle IEEE 1584-2018</translation>
    </message>
    <message>
        <source>System and equipment</source>
        <translation>Réseau et équipement</translation>
    </message>
    <message>
        <source>Choose an equipment type</source>
        <translation>Choisissez un type d&apos;équipement</translation>
    </message>
    <message>
        <source>VCB — vertical conductors in a metal box</source>
        <translation>VCB — conducteurs verticaux dans un coffret métallique</translation>
    </message>
    <message>
        <source>VCBB — vertical conductors terminated in an insulating barrier inside a metal box</source>
        <translation>VCBB — conducteurs verticaux terminés par une barrière isolante dans un coffret métallique</translation>
    </message>
    <message>
        <source>HCB — horizontal conductors in a metal box</source>
        <translation>HCB — conducteurs horizontaux dans un coffret métallique</translation>
    </message>
    <message>
        <source>VOA — vertical conductors in open air</source>
        <translation>VOA — conducteurs verticaux à l&apos;air libre</translation>
    </message>
    <message>
        <source>HOA — horizontal conductors in open air</source>
        <translation>HOA — conducteurs horizontaux à l&apos;air libre</translation>
    </message>
    <message>
        <source>Choose a configuration</source>
        <translation>Choisissez une configuration</translation>
    </message>
    <message>
        <source>Equipment type:</source>
        <translation>Type d&apos;équipement :</translation>
    </message>
    <message>
        <source>Electrode configuration:</source>
        <translation>Configuration des électrodes :</translation>
    </message>
    <message>
        <source>System voltage (V):</source>
        <translation>Tension du réseau (V) :</translation>
    </message>
    <message>
        <source>Available 3Ph bolted current (kA):</source>
        <translation>Courant de défaut franc tri. (kA) :</translation>
    </message>
    <message>
        <source>Arc duration at the arcing current (sec):</source>
        <translation>Durée de l&apos;arc au courant d&apos;arc (s) :</translation>
    </message>
    <message>
        <source>Arc duration at the reduced arcing current (sec):</source>
        <translation>Durée de l&apos;arc au courant d&apos;arc réduit (s) :</translation>
    </message>
    <message>
        <source>&amp;Compute</source>
        <translation>&amp;Calculer</translation>
    </message>
    <message>
        <source>Calculation results</source>
        <translation>Résultats du calcul</translation>
    </message>
    <message>
        <source>Arcing current</source>
        <translation>Courant d&apos;arc</translation>
    </message>
    <message>
        <source>Reduced arcing current</source>
        <translation>Courant d&apos;arc réduit</translation>
    </message>
    <message>
        <source>Arcing current (kA):</source>
        <translation>Courant d&apos;arc (kA) :</translation>
    </message>
    <message>
        <source>Level of PPE:</source>
        <translation>Niveau d&apos;EPI :</translation>
    </message>
    <message>
        <source>Typical protective clothing system:</source>
        <translation>Tenue de protection type :</translation>
    </message>
    <message>
        <source>Governing case:</source>
        <translation>Cas déterminant :</translation>
    </message>
    <message>
        <source>Enclosure type:</source>
        <translation>Type d&apos;enveloppe :</translation>
    </message>
    <message>
        <source>Enclosure size correction factor:</source>
        <translation>Facteur de correction de taille d&apos;enveloppe :</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>&amp;Save results</source>
        <translation>&amp;Enregistrer les résultats</translation>
    </message>
    <message>
        <source>Create &amp;label</source>
        <translation>Créer l&apos;é&amp;tiquette</translation>
    </message>
    <message>
        <source>reduced arcing current</source>
        <translation>courant d&apos;arc réduit</translation>
    </message>
    <message>
        <source>arcing current</source>
        <translation>courant d&apos;arc</translation>
    </message>
    <message>
        <source>does not operate</source>
        <translation>ne fonctionne pas</translation>
    </message>
    <message>
        <source>instantaneous</source>
        <translation>instantané</translation>
    </message>
    <message>
        <source>short time</source>
        <translation>court retard</translation>
    </message>
    <message>
        <source>long time</source>
        <translation>long retard</translation>
    </message>
    <message>
        <source>inverse</source>
        <translation>inverse</translation>
    </message>
    <message>
        <source>definite time</source>
        <translation>temps constant</translation>
    </message>
    <message>
        <source>curve</source>
        <translation>courbe</translation>
    </message>
    <message>
        <source>capped</source>
        <translation>plafonnée</translation>
    </message>
    <message>
        <source>arc-flash relay</source>
        <translation>relais d&apos;arc électrique</translation>
    </message>
    <message>
        <source>zone-selective interlocking</source>
        <translation>sélectivité logique</translation>
    </message>
    <message>
        <source>bus differential</source>
        <translation>différentielle de barres</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Durée de l’arc</translation>
    </message>
    <message>
        <source>Typed at each arcing current</source>
        <translation>Saisie pour chaque courant d’arc</translation>
    </message>
    <message>
        <source>From a protective device</source>
        <translation>D’un dispositif de protection</translation>
    </message>
    <message>
        <source>Arc duration:</source>
        <translation>Durée de l’arc :</translation>
    </message>
    <message>
        <source>At the arcing current:</source>
        <translation>Au courant d’arc :</translation>
    </message>
    <message>
        <source>At the reduced arcing current:</source>
        <translation>Au courant d’arc réduit :</translation>
    </message>
    <message>
        <source>%1 s — %2</source>
        <translation>%1 s — %2</translation>
    </message>
    <message>
        <source> (the device acts in %1 s)</source>
        <translation> (le dispositif agit en %1 s)</translation>
    </message>
    <message>
        <source> (the device does not operate)</source>
        <translation> (le dispositif ne fonctionne pas)</translation>
    </message>
    <message>
        <source>Iarc</source>
        <translation>Iarc</translation>
    </message>
    <message>
        <source>Iarc,min</source>
        <translation>Iarc,min</translation>
    </message>
    <message>
        <source>VCB — vertical, in a metal box</source>
        <translation>VCB — verticaux, coffret métallique</translation>
    </message>
    <message>
        <source>VCBB — vertical, barrier, metal box</source>
        <translation>VCBB — verticaux, barrière, coffret</translation>
    </message>
    <message>
        <source>HCB — horizontal, in a metal box</source>
        <translation>HCB — horizontaux, coffret métallique</translation>
    </message>
    <message>
        <source>VOA — vertical, in open air</source>
        <translation>VOA — verticaux, à l&apos;air libre</translation>
    </message>
    <message>
        <source>HOA — horizontal, in open air</source>
        <translation>HOA — horizontaux, à l&apos;air libre</translation>
    </message>
    <message>
        <source>The device&apos;s time-current curve, with both arcing currents marked, once the point is computed</source>
        <translation>La courbe temps-courant du dispositif, les deux courants d&apos;arc marqués, une fois le point calculé</translation>
    </message>
    <message>
        <source>exposure limited to %1 s</source>
        <translation>exposition limitée à %1 s</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TNetworkView</name>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>&amp;Buses</source>
        <translation>&amp;Jeux de barres</translation>
    </message>
    <message>
        <source>Buses and their fault currents</source>
        <translation>Jeux de barres et leurs courants de défaut</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>Jeu de barres</translation>
    </message>
    <message>
        <source>Voltage (V)</source>
        <translation>Tension (V)</translation>
    </message>
    <message>
        <source>I max (kA)</source>
        <translation>I max (kA)</translation>
    </message>
    <message>
        <source>I min (kA)</source>
        <translation>I min (kA)</translation>
    </message>
    <message>
        <source>X/R</source>
        <translation>X/R</translation>
    </message>
    <message>
        <source>&amp;Tree from the sources</source>
        <translation>&amp;Arbre depuis les sources</translation>
    </message>
    <message>
        <source>The network as a tree</source>
        <translation>Le réseau en arbre</translation>
    </message>
    <message>
        <source>Fed by</source>
        <translation>Alimenté par</translation>
    </message>
    <message>
        <source>The study has no network: no row names a bus.</source>
        <translation>L’étude n’a pas de réseau : aucune ligne ne nomme de jeu de barres.</translation>
    </message>
    <message numerus="yes">
        <source>%n buses; fault currents by the %1 convention.</source>
        <translation>
            <numerusform>%n jeu de barres ; courants de défaut selon la convention %1.</numerusform>
            <numerusform>%n jeux de barres ; courants de défaut selon la convention %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>no fault current</source>
        <translation>pas de courant de défaut</translation>
    </message>
    <message>
        <source>transformer from %1, row %2</source>
        <translation>transformateur depuis %1, ligne %2</translation>
    </message>
    <message>
        <source>cable from %1, row %2</source>
        <translation>câble depuis %1, ligne %2</translation>
    </message>
    <message>
        <source>source</source>
        <translation>source</translation>
    </message>
    <message>
        <source>three-winding transformer from %1, row %2</source>
        <translation>transformateur à trois enroulements depuis %1, ligne %2</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TPreview</name>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>Save Bit&amp;map</source>
        <translation>Sauver &amp;BMP</translation>
    </message>
    <message>
        <source>Save &amp;JPEG</source>
        <translation>Sauver &amp;JPEG</translation>
    </message>
    <message>
        <source>Save P&amp;DF</source>
        <translation>Sauver P&amp;DF</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>Equipment name (30 symbols max)</source>
        <translation>Nom de l&apos;équipement (30 car. max.)</translation>
    </message>
    <message>
        <source>User lines contents (add your lines using Options menu to enable this fields )</source>
        <translation>Lignes personnelles (ajoutez-les par le menu Options pour activer ces champs)</translation>
    </message>
    <message>
        <source>Title (left side)</source>
        <translation>Titre (à gauche)</translation>
    </message>
    <message>
        <source>Value (right side)</source>
        <translation>Valeur (à droite)</translation>
    </message>
    <message>
        <source>Additional line 1</source>
        <translation>Ligne supplém. 1</translation>
    </message>
    <message>
        <source>Additional line 2</source>
        <translation>Ligne supplém. 2</translation>
    </message>
    <message>
        <source>Additional line 1, title</source>
        <translation>Ligne supplémentaire 1, titre</translation>
    </message>
    <message>
        <source>Additional line 1, value</source>
        <translation>Ligne supplémentaire 1, valeur</translation>
    </message>
    <message>
        <source>Additional line 2, title</source>
        <translation>Ligne supplémentaire 2, titre</translation>
    </message>
    <message>
        <source>Additional line 2, value</source>
        <translation>Ligne supplémentaire 2, valeur</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Equipment Name too long</source>
        <translation>Nom de l&apos;équipement trop long</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Enregistrer en PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Arc flash warning label</source>
        <translation>Étiquette d&apos;avertissement d&apos;arc électrique</translation>
    </message>
    <message>
        <source>Save Bitmap</source>
        <translation>Enregistrer en bitmap</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <translation>Images bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>Save JPEG</source>
        <translation>Enregistrer en JPEG</translation>
    </message>
    <message>
        <source>JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)</source>
        <translation>Image JPEG (*.jpg);;Image JPEG (*.jpeg)</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TRowForm</name>
    <message>
        <source>IEEE 1584-2002, empirical model</source>
        <translation>IEEE 1584-2002, modèle empirique</translation>
    </message>
    <message>
        <source>IEEE 1584-2002, current-limiting fuse</source>
        <translation>IEEE 1584-2002, fusible limiteur de courant</translation>
    </message>
    <message>
        <source>IEEE 1584-2002, low-voltage breaker</source>
        <translation>IEEE 1584-2002, disjoncteur basse tension</translation>
    </message>
    <message>
        <source>IEEE 1584-2018 model</source>
        <translation>Modèle IEEE 1584-2018</translation>
    </message>
    <message>
        <source>Transformer</source>
        <translation>Transformateur</translation>
    </message>
    <message>
        <source>Three-winding transformer</source>
        <translation>Transformateur à trois enroulements</translation>
    </message>
    <message>
        <source>Cable or tie</source>
        <translation>Câble ou liaison</translation>
    </message>
    <message>
        <source>Generator</source>
        <translation>Générateur</translation>
    </message>
    <message>
        <source>Power-station unit</source>
        <translation>Groupe de centrale</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>at the row&apos;s bus</source>
        <translation>au jeu de barres de la ligne</translation>
    </message>
    <message>
        <source>at the from bus</source>
        <translation>au jeu de barres amont</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
    </message>
    <message>
        <source>none: durations typed</source>
        <translation>aucun : durées saisies</translation>
    </message>
    <message>
        <source>not chosen</source>
        <translation>non choisi</translation>
    </message>
    <message>
        <source>208 V to 46 kV; IEEE 1584-2018: 208 V to 15 kV; breakers: 208 to 690 V</source>
        <translation>de 208 V à 46 kV ; IEEE 1584-2018 : de 208 V à 15 kV ; disjoncteurs : de 208 à 690 V</translation>
    </message>
    <message>
        <source>0.7 to 106 kA; IEEE 1584-2018: 0.5 to 106 kA up to 600 V, 0.2 to 65 kA above</source>
        <translation>de 0,7 à 106 kA ; IEEE 1584-2018 : de 0,5 à 106 kA jusqu’à 600 V, de 0,2 à 65 kA au-delà</translation>
    </message>
    <message>
        <source>13 mm or more; IEEE 1584-2018: 6.35 to 76.2 mm up to 600 V, 19.05 to 254 mm above</source>
        <translation>13 mm ou plus ; IEEE 1584-2018 : de 6,35 à 76,2 mm jusqu’à 600 V, de 19,05 à 254 mm au-delà</translation>
    </message>
    <message>
        <source>300 to 2000 mm; IEEE 1584-2018: 305 mm or more</source>
        <translation>de 300 à 2000 mm ; IEEE 1584-2018 : 305 mm ou plus</translation>
    </message>
    <message>
        <source>0.001 to 2 s; IEEE 1584-2018: 0.001 s or more</source>
        <translation>de 0,001 à 2 s ; IEEE 1584-2018 : 0,001 s ou plus</translation>
    </message>
    <message>
        <source>above 0</source>
        <translation>supérieur à 0</translation>
    </message>
    <message>
        <source>above 0; empty: none</source>
        <translation>supérieur à 0 ; vide : aucun</translation>
    </message>
    <message>
        <source>0 or above</source>
        <translation>0 ou plus</translation>
    </message>
    <message>
        <source>0.001 s or more</source>
        <translation>0,001 s ou plus</translation>
    </message>
    <message>
        <source>above 0 and at most 1; empty: 1</source>
        <translation>supérieur à 0 et au plus 1 ; vide : 1</translation>
    </message>
    <message>
        <source>0.001 s or more, or none; empty: 2 s</source>
        <translation>0,001 s ou plus, ou aucune ; vide : 2 s</translation>
    </message>
    <message>
        <source>1 to 1000; empty: 1</source>
        <translation>de 1 à 1000 ; vide : 1</translation>
    </message>
    <message>
        <source>Choose a row of the table to see it here as a form.</source>
        <translation>Choisissez une ligne du tableau pour la voir ici en formulaire.</translation>
    </message>
    <message>
        <source>Point:</source>
        <translation>Point :</translation>
    </message>
    <message>
        <source>Point of work</source>
        <translation>Point de travail</translation>
    </message>
    <message>
        <source>Arc duration and protective device</source>
        <translation>Durée d&apos;arc et dispositif de protection</translation>
    </message>
    <message>
        <source>Where it sits in the network</source>
        <translation>Sa place dans le réseau</translation>
    </message>
    <message>
        <source>Typical values of an equipment type</source>
        <translation>Valeurs typiques d&apos;un type d&apos;équipement</translation>
    </message>
    <message>
        <source>Equipment type:</source>
        <translation>Type d&apos;équipement :</translation>
    </message>
    <message>
        <source>Fills the electrode configuration, gap, enclosure and working distance with the typical values of the IEEE 1584-2018 model</source>
        <translation>Remplit la configuration des électrodes, l&apos;écart, l&apos;enveloppe et la distance de travail avec les valeurs typiques du modèle IEEE 1584-2018</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>%1 to %2 %3</source>
        <translation>de %1 à %2 %3</translation>
    </message>
    <message>
        <source>0 for a closed tie, or %1</source>
        <translation>0 pour une liaison fermée, ou %1</translation>
    </message>
    <message>
        <source>Typical values of %1</source>
        <translation>Valeurs typiques de %1</translation>
    </message>
    <message>
        <source>Source (the supply)</source>
        <translation>Source (l’alimentation)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>DC, maximum power (NFPA 70E D.5)</source>
        <translation>CC, puissance maximale (NFPA 70E D.5)</translation>
    </message>
    <message>
        <source>DC, arc resistance (NFPA 70E D.5)</source>
        <translation>CC, résistance d&apos;arc (NFPA 70E D.5)</translation>
    </message>
    <message>
        <source>This row does not take this value, which refuses it: empty the field.</source>
        <translation>Cette ligne ne prend pas cette valeur, qui la fait refuser : videz le champ.</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Modifier %1</translation>
    </message>
    <message>
        <source>Emptied what the row no longer takes: %1. Undo brings it back.</source>
        <translation>Vidé ce que la ligne ne prend plus : %1. Annuler le rétablit.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TSecond</name>
    <message>
        <source>ZENTAVO: intermediate results</source>
        <translation>ZENTAVO : résultats intermédiaires</translation>
    </message>
    <message>
        <source>Equipment Class</source>
        <translation>Classe d&apos;équipement</translation>
    </message>
    <message>
        <source>Please select a class</source>
        <translation>Choisissez une classe</translation>
    </message>
    <message>
        <source>Gap between Conductors</source>
        <translation>Écart entre conducteurs</translation>
    </message>
    <message>
        <source>millimeters</source>
        <translation>millimètres</translation>
    </message>
    <message>
        <source>Grounding type</source>
        <translation>Mise à la terre</translation>
    </message>
    <message>
        <source>Working Distance</source>
        <translation>Distance de travail</translation>
    </message>
    <message>
        <source>Available 3 Phase Bolted Current</source>
        <translation>Courant de défaut franc tri.</translation>
    </message>
    <message>
        <source>kAmperes</source>
        <translation>kAmpères</translation>
    </message>
    <message>
        <source>System Voltage</source>
        <translation>Tension du réseau</translation>
    </message>
    <message>
        <source>Line to line voltage - minimum 208 V, maximum 15000 V</source>
        <translation>Tension entre phases : minimum 208 V, maximum 15000 V</translation>
    </message>
    <message>
        <source>Volts</source>
        <translation>Volts</translation>
    </message>
    <message>
        <source>Predicted 3 Phase Arcing Current</source>
        <translation>Courant d&apos;arc tri. prévu</translation>
    </message>
    <message>
        <source>Arcing Current Reduced by 15%</source>
        <translation>Courant d&apos;arc réduit de 15 %</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Durée de l&apos;arc</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Secondes</translation>
    </message>
    <message>
        <source>Arc duration (Reduced Current)</source>
        <translation>Durée de l&apos;arc (courant réduit)</translation>
    </message>
    <message>
        <source>Show &amp;Pressure Developed by Arc</source>
        <translation>Afficher la &amp;pression d&apos;arc</translation>
    </message>
    <message>
        <source>Show &amp;TNT Equivalent of Arc Blast</source>
        <translation>Afficher l&apos;équivalent &amp;TNT</translation>
    </message>
    <message>
        <source>NOTE: Pressure and TNT calculations are not included in IEEE 1584</source>
        <translation>NOTE : la pression et le TNT ne font pas partie de IEEE 1584</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>Equipment bus gap in mm. Gaps of 3 to 40 mm were used for low voltage testing to simulate gaps between conductors in low voltage equipment and cables. Gaps 13, 104 and 152 mm. were used in 5 and 15kV equipment testings. </source>
        <translation>Écart entre les barres de l&apos;équipement en mm. Les essais basse tension ont utilisé des écarts de 3 à 40 mm pour simuler les écarts entre conducteurs des équipements et câbles basse tension. Les essais des équipements de 5 et 15 kV ont utilisé des écarts de 13, 104 et 152 mm. </translation>
    </message>
    <message>
        <source>Typical working distance is the sum of the distance between the worker standing in front of the equipment, and from the front of the equipment to the potential arc source inside the equipment. </source>
        <translation>La distance de travail type est la somme de la distance entre le travailleur debout devant l&apos;équipement et de la distance entre la façade de l&apos;équipement et la source d&apos;arc possible à l&apos;intérieur. </translation>
    </message>
    <message>
        <source>Available 3 phase bolted fault current for the range of 700A to 106kA at the point where work is to be performed in kA. </source>
        <translation>Courant de défaut franc triphasé disponible, de 700 A à 106 kA, au point où le travail sera effectué, en kA. </translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TStudy</name>
    <message>
        <source>%1, opens after %2 s</source>
        <translation>%1, s&apos;ouvre après %2 s</translation>
    </message>
    <message>
        <source> (arc-flash relay)</source>
        <translation> (relais d&apos;arc électrique)</translation>
    </message>
    <message>
        <source> (zone-selective interlocking)</source>
        <translation> (sélectivité logique)</translation>
    </message>
    <message>
        <source>Arc cleared in %1 steps:</source>
        <translation>Arc éliminé en %1 étapes :</translation>
    </message>
    <message>
        <source>the device of %1 opened</source>
        <translation>l&apos;appareil de %1 s&apos;est ouvert</translation>
    </message>
    <message>
        <source>the motors&apos; contribution ended</source>
        <translation>la contribution des moteurs a pris fin</translation>
    </message>
    <message>
        <source>the maximum arc duration</source>
        <translation>la durée maximale de l&apos;arc</translation>
    </message>
    <message>
        <source>the arc duration typed</source>
        <translation>la durée de l&apos;arc saisie</translation>
    </message>
    <message>
        <source>no source left but motors</source>
        <translation>plus aucune source hormis les moteurs</translation>
    </message>
    <message>
        <source>; the motors&apos; contribution ended</source>
        <translation>; la contribution des moteurs a pris fin</translation>
    </message>
    <message>
        <source>%1. %2 kA bolted, %3 kA arcing, for %4 s: %5</source>
        <translation>%1. %2 kA franc, %3 kA d&apos;arc, pendant %4 s : %5</translation>
    </message>
    <message>
        <source>Worst scenario: %1 (%2)</source>
        <translation>Pire scénario : %1 (%2)</translation>
    </message>
    <message>
        <source>studies (*.csv)</source>
        <translation>études (*.csv)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Fil&amp;ter:</source>
        <translation>Fil&amp;tre :</translation>
    </message>
    <message>
        <source>Text to look for</source>
        <translation>Texte à chercher</translation>
    </message>
    <message>
        <source>Filter in</source>
        <translation>Filtrer dans</translation>
    </message>
    <message>
        <source>in all columns</source>
        <translation>dans toutes les colonnes</translation>
    </message>
    <message>
        <source>Points of the study</source>
        <translation>Points de l&apos;étude</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New study</source>
        <translation>&amp;Nouvelle étude</translation>
    </message>
    <message>
        <source>&amp;Open study…</source>
        <translation>&amp;Ouvrir une étude…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Save &amp;as…</source>
        <translation>Enregistrer &amp;sous…</translation>
    </message>
    <message>
        <source>&amp;Export results…</source>
        <translation>E&amp;xporter les résultats…</translation>
    </message>
    <message>
        <source>&amp;Labels…</source>
        <translation>É&amp;tiquettes…</translation>
    </message>
    <message>
        <source>&amp;Report…</source>
        <translation>&amp;Rapport…</translation>
    </message>
    <message>
        <source>&amp;Print report…</source>
        <translation>&amp;Imprimer le rapport…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Add row</source>
        <translation>A&amp;jouter une ligne</translation>
    </message>
    <message>
        <source>Dupl&amp;icate rows</source>
        <translation>D&amp;upliquer les lignes</translation>
    </message>
    <message>
        <source>&amp;Delete rows</source>
        <translation>&amp;Supprimer les lignes</translation>
    </message>
    <message>
        <source>&amp;Copy rows</source>
        <translation>&amp;Copier les lignes</translation>
    </message>
    <message>
        <source>&amp;Paste rows</source>
        <translation>Co&amp;ller les lignes</translation>
    </message>
    <message>
        <source>New study</source>
        <translation>Nouvelle étude</translation>
    </message>
    <message>
        <source>%1[*] - Zentavo study</source>
        <translation>%1[*] - Étude Zentavo</translation>
    </message>
    <message>
        <source>in %1</source>
        <translation>dans %1</translation>
    </message>
    <message>
        <source>%1 points: %2 computed, %3 refused</source>
        <translation>%1 points : %2 calculés, %3 refusés</translation>
    </message>
    <message>
        <source>Save study as</source>
        <translation>Enregistrer l&apos;étude sous</translation>
    </message>
    <message>
        <source>Export results to</source>
        <translation>Exporter les résultats vers</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>No point of the study is computed: there are no labels to write.</source>
        <translation>Aucun point de l&apos;étude n&apos;est calculé : aucune étiquette à écrire.</translation>
    </message>
    <message>
        <source>Save labels as</source>
        <translation>Enregistrer les étiquettes sous</translation>
    </message>
    <message>
        <source>Writing the labels of %1 points…</source>
        <translation>Écriture des étiquettes de %1 points…</translation>
    </message>
    <message numerus="yes">
        <source>
and %n more label(s) with a cut name</source>
        <translation>
            <numerusform>
et %n autre(s) étiquette(s) au nom coupé</numerusform>
            <numerusform>
et %n autre(s) étiquette(s) au nom coupé</numerusform>
        </translation>
    </message>
    <message>
        <source>These equipment names are longer than 30 characters; their labels show the first 30:%1</source>
        <translation>Ces noms d&apos;équipement dépassent 30 caractères ; leurs étiquettes en montrent les 30 premiers :%1</translation>
    </message>
    <message>
        <source>None of the chosen points is computed: there are no labels to write.</source>
        <translation>Aucun des points choisis n&apos;est calculé : aucune étiquette à écrire.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Save report as</source>
        <translation>Enregistrer le rapport sous</translation>
    </message>
    <message>
        <source>Writing the report of %1 points…</source>
        <translation>Écriture du rapport de %1 points…</translation>
    </message>
    <message>
        <source>Printing the report of %1 points…</source>
        <translation>Impression du rapport de %1 points…</translation>
    </message>
    <message>
        <source>The study &quot;%1&quot; has changes that are not saved. Save them?</source>
        <translation>L&apos;étude « %1 » a des modifications non enregistrées. Les enregistrer ?</translation>
    </message>
    <message>
        <source>Open study</source>
        <translation>Ouvrir une étude</translation>
    </message>
    <message>
        <source>Load &amp;device curves…</source>
        <translation>Charger des courbes de &amp;dispositifs…</translation>
    </message>
    <message>
        <source>Load device curves</source>
        <translation>Charger des courbes de dispositifs</translation>
    </message>
    <message>
        <source>device curves (*.csv)</source>
        <translation>courbes de dispositifs (*.csv)</translation>
    </message>
    <message>
        <source>&amp;Short circuit:</source>
        <translation>&amp;Court-circuit :</translation>
    </message>
    <message>
        <source>The convention of the bolted fault currents a network computes</source>
        <translation>La convention des courants de court-circuit franc que calcule un réseau</translation>
    </message>
    <message>
        <source>&amp;Network</source>
        <translation>&amp;Réseau</translation>
    </message>
    <message>
        <source>&amp;Buses and tree…</source>
        <translation>&amp;Jeux de barres et arbre…</translation>
    </message>
    <message>
        <source>Time-current curve</source>
        <translation>Courbe temps-courant</translation>
    </message>
    <message>
        <source>Time-current curve of the current point</source>
        <translation>Courbe temps-courant du point actuel</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Time-current &amp;curve</source>
        <translation>Courbe &amp;temps-courant</translation>
    </message>
    <message>
        <source>Select a point to see the time-current curve of its protective device.</source>
        <translation>Sélectionnez un point pour voir la courbe temps-courant de son dispositif de protection.</translation>
    </message>
    <message>
        <source>This point has no protective device: its arc durations are typed or come from its method&apos;s equations.</source>
        <translation>Ce point n&apos;a pas de dispositif de protection : ses durées d&apos;arc sont saisies ou viennent des équations de sa méthode.</translation>
    </message>
    <message>
        <source>This point is refused, so its device has no curve to show: %1</source>
        <translation>Ce point est refusé, son dispositif n&apos;a donc pas de courbe à montrer : %1</translation>
    </message>
    <message numerus="yes">
        <source>%n of the rows to duplicate define a branch, source or motor of the network (%1). Copy it too, as a parallel one that changes the currents downstream, or only the point, on the same bus with its branch columns left empty?</source>
        <translation>
            <numerusform>%n des lignes à dupliquer définit une branche, une source ou un moteur du réseau (%1). Le copier aussi, en parallèle, ce qui change les courants en aval, ou seulement le point, sur le même jeu de barres avec ses colonnes de branche vides ?</numerusform>
            <numerusform>%n des lignes à dupliquer définissent une branche, une source ou un moteur du réseau (%1). Les copier aussi, en parallèle, ce qui change les courants en aval, ou seulement les points, sur les mêmes jeux de barres avec leurs colonnes de branche vides ?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Duplicated %n row(s); the branches, sources and motors they define were copied as parallel ones.</source>
        <translation>
            <numerusform>%n ligne dupliquée ; la branche, la source ou le moteur qu&apos;elle définit a été copié en parallèle.</numerusform>
            <numerusform>%n lignes dupliquées ; les branches, sources et moteurs qu&apos;elles définissent ont été copiés en parallèle.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Duplicated %n row(s); the copies are points on the same buses, their branch columns left empty.</source>
        <translation>
            <numerusform>%n ligne dupliquée ; la copie est un point sur le même jeu de barres, ses colonnes de branche laissées vides.</numerusform>
            <numerusform>%n lignes dupliquées ; les copies sont des points sur les mêmes jeux de barres, leurs colonnes de branche laissées vides.</numerusform>
        </translation>
    </message>
    <message>
        <source>These equipment names do not fit on two lines; their labels end them with “…”:%1</source>
        <translation>Ces noms d&apos;équipement ne tiennent pas sur deux lignes ; leurs étiquettes les terminent par « … » :%1</translation>
    </message>
    <message>
        <source>Low-voltage tolerance</source>
        <translation>Tolérance basse tension</translation>
    </message>
    <message>
        <source>The voltage tolerance of the low-voltage systems by IEC 60909: +6 % gives c max 1.05, +10 % gives 1.10</source>
        <translation>La tolérance de tension des réseaux basse tension selon la CEI 60909 : +6 % donne c max 1,05 ; +10 % donne 1,10</translation>
    </message>
    <message>
        <source>LV +6 %</source>
        <translation>BT +6 %</translation>
    </message>
    <message>
        <source>LV +10 %</source>
        <translation>BT +10 %</translation>
    </message>
    <message>
        <source>Cables &amp;at:</source>
        <translation>Câb&amp;les à :</translation>
    </message>
    <message>
        <source>Arcs in ste&amp;ps</source>
        <translation>Arcs par éta&amp;pes</translation>
    </message>
    <message>
        <source>&amp;Motors:</source>
        <translation>&amp;Moteurs :</translation>
    </message>
    <message>
        <source> cycles</source>
        <translation> cycles</translation>
    </message>
    <message>
        <source>to the last source</source>
        <translation>jusqu’à la dernière source</translation>
    </message>
    <message>
        <source>Each point&apos;s arc cleared in steps as the network&apos;s devices open one after another; off: in one step at the point&apos;s own device&apos;s time</source>
        <translation>L’arc de chaque point éliminé par étapes, à mesure que s’ouvrent les dispositifs du réseau ; décoché : en une seule étape, au temps du dispositif du point</translation>
    </message>
    <message>
        <source>The cycles (of 60 Hz) after which the motors stop feeding an arc in steps</source>
        <translation>Les cycles (à 60 Hz) après lesquels les moteurs cessent d’alimenter un arc par étapes</translation>
    </message>
    <message>
        <source>Worst over the ran&amp;ge</source>
        <translation>Pire sur la pla&amp;ge</translation>
    </message>
    <message>
        <source>Each point&apos;s worst energy over the bolted currents between its minimum and maximum case; its results those at the worst current where it is above both cases</source>
        <translation>L’énergie la plus forte de chaque point sur les courants de court-circuit francs entre son cas minimal et son cas maximal ; ses résultats sont ceux du courant le pire s’il dépasse les deux cas</translation>
    </message>
    <message>
        <source>The conductors&apos; temperature at the end of the fault, for the minimum case of the cables without their own cable_end_temp</source>
        <translation>La température des conducteurs en fin de défaut, pour le cas minimal des câbles sans leur propre cable_end_temp</translation>
    </message>
    <message>
        <source> °C</source>
        <translation> °C</translation>
    </message>
    <message>
        <source>by convention</source>
        <translation>selon la convention</translation>
    </message>
    <message>
        <source>Short circuit</source>
        <translation>Court-circuit</translation>
    </message>
    <message>
        <source>Row form</source>
        <translation>Formulaire de ligne</translation>
    </message>
    <message>
        <source>Add point on this &amp;bus</source>
        <translation>Ajouter un point sur ce jeu de &amp;barres</translation>
    </message>
    <message>
        <source>Add &amp;feeder from this bus</source>
        <translation>Ajouter un &amp;départ depuis ce jeu de barres</translation>
    </message>
    <message>
        <source>&amp;Method and equipment</source>
        <translation>&amp;Méthode et équipement</translation>
    </message>
    <message>
        <source>&amp;Distances</source>
        <translation>&amp;Distances</translation>
    </message>
    <message>
        <source>D&amp;urations and device</source>
        <translation>D&amp;urées et dispositif</translation>
    </message>
    <message>
        <source>Your &amp;own columns</source>
        <translation>Vos &amp;propres colonnes</translation>
    </message>
    <message>
        <source>Re&amp;sults</source>
        <translation>Ré&amp;sultats</translation>
    </message>
    <message>
        <source>Col&amp;umns</source>
        <translation>Colo&amp;nnes</translation>
    </message>
    <message>
        <source>Row &amp;form</source>
        <translation>&amp;Formulaire de ligne</translation>
    </message>
    <message>
        <source>&amp;One-line diagram</source>
        <translation>Schéma &amp;unifilaire</translation>
    </message>
    <message>
        <source>Fill cells</source>
        <translation>Remplir les cellules</translation>
    </message>
    <message>
        <source>C&amp;lear cells</source>
        <translation>&amp;Vider les cellules</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>%1 of %2 points shown</source>
        <translation>%1 points affichés sur %2</translation>
    </message>
    <message>
        <source>Clear cells</source>
        <translation>Vider les cellules</translation>
    </message>
    <message>
        <source>E&amp;xport picture…</source>
        <translation>E&amp;xporter l&apos;image…</translation>
    </message>
    <message>
        <source>The picture as a PNG (1200 × 800 pixels) or SVG file, by the name&apos;s extension</source>
        <translation>L&apos;image en fichier PNG (1200 × 800 pixels) ou SVG, selon l&apos;extension du nom</translation>
    </message>
    <message>
        <source>%1 selected points</source>
        <translation>%1 points sélectionnés</translation>
    </message>
    <message>
        <source>%1 has no protective device.</source>
        <translation>%1 n&apos;a pas de dispositif de protection.</translation>
    </message>
    <message>
        <source>%1 is refused: %2</source>
        <translation>%1 est refusé : %2</translation>
    </message>
    <message>
        <source>None of the selected points has a device curve to show.</source>
        <translation>Aucun des points sélectionnés n&apos;a de courbe de dispositif à montrer.</translation>
    </message>
    <message>
        <source>Not drawn:</source>
        <translation>Non tracés :</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>et %1 de plus.</translation>
    </message>
    <message>
        <source>%1 more of the selected points have a device: the picture takes the first %2.</source>
        <translation>%1 autres points sélectionnés ont un dispositif : l&apos;image prend les %2 premiers.</translation>
    </message>
    <message>
        <source>Export time-current picture as</source>
        <translation>Exporter l&apos;image temps-courant sous</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;SVG pictures (*.svg)</source>
        <translation>images PNG (*.png);;images SVG (*.svg)</translation>
    </message>
    <message>
        <source>A picture&apos;s name ends in .png or .svg: %1</source>
        <translation>Le nom d&apos;une image se termine par .png ou .svg : %1</translation>
    </message>
    <message>
        <source>The picture is not written over its own study: choose another file.</source>
        <translation>L&apos;image n&apos;est pas écrite sur sa propre étude : choisissez un autre fichier.</translation>
    </message>
    <message>
        <source>Time-current curves</source>
        <translation>Courbes temps-courant</translation>
    </message>
    <message numerus="yes">
        <source>The calculation was stopped: %n row(s) not computed. Edit, Compute again (F5) computes every row.</source>
        <translation>
            <numerusform>Le calcul a été arrêté : %n ligne non calculée. Édition, Calculer de nouveau (F5) calcule toutes les lignes.</numerusform>
            <numerusform>Le calcul a été arrêté : %n lignes non calculées. Édition, Calculer de nouveau (F5) calcule toutes les lignes.</numerusform>
        </translation>
    </message>
    <message>
        <source>C&amp;ompute again</source>
        <translation>Calculer de &amp;nouveau</translation>
    </message>
    <message>
        <source>&amp;Go to the form or the table</source>
        <translation>&amp;Aller au formulaire ou au tableau</translation>
    </message>
    <message>
        <source>C&amp;urrents at:</source>
        <translation>Co&amp;urants à :</translation>
    </message>
    <message>
        <source>The voltage every device&apos;s currents are drawn at: a current on another voltage&apos;s side is shown times that voltage over this one</source>
        <translation>La tension à laquelle les courants de tous les appareils sont tracés : un courant du côté d’une autre tension est montré multiplié par cette tension et divisé par celle-ci</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>the bus differential protection</source>
        <translation>la protection différentielle de barres</translation>
    </message>
    <message>
        <source>The current row names no bus: choose a row on the bus to rename.</source>
        <translation>La ligne courante ne nomme aucun jeu de barres : choisissez une ligne du jeu de barres à renommer.</translation>
    </message>
    <message>
        <source>Rename bus</source>
        <translation>Renommer le jeu de barres</translation>
    </message>
    <message>
        <source>New name of bus %1, in every row that names it:</source>
        <translation>Nouveau nom du jeu de barres %1, dans toutes les lignes qui le nomment :</translation>
    </message>
    <message>
        <source>No row names bus %1 any more.</source>
        <translation>Plus aucune ligne ne nomme le jeu de barres %1.</translation>
    </message>
    <message>
        <source>A bus needs a name: bus %1 keeps its own.</source>
        <translation>Un jeu de barres doit avoir un nom : le jeu de barres %1 garde le sien.</translation>
    </message>
    <message>
        <source>A bus&apos;s name is one line without tabs: bus %1 keeps its own.</source>
        <translation>Le nom d&apos;un jeu de barres tient sur une ligne, sans tabulation : le jeu de barres %1 garde le sien.</translation>
    </message>
    <message>
        <source>Another bus is already named %1, and two buses of one name would be joined into one: bus %2 keeps its own name.</source>
        <translation>Un autre jeu de barres s&apos;appelle déjà %1, et deux jeux de barres du même nom n&apos;en feraient qu&apos;un : le jeu de barres %2 garde son nom.</translation>
    </message>
    <message>
        <source>Rename bus %1 to %2</source>
        <translation>Renommer le jeu de barres %1 en %2</translation>
    </message>
    <message numerus="yes">
        <source>Bus %1 renamed %2 in %n cell(s).</source>
        <translation>
            <numerusform>Jeu de barres %1 renommé %2 dans %n cellule.</numerusform>
            <numerusform>Jeu de barres %1 renommé %2 dans %n cellules.</numerusform>
        </translation>
    </message>
    <message>
        <source>Re&amp;name this bus…</source>
        <translation>R&amp;enommer ce jeu de barres…</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TStudyExport</name>
    <message>
        <source>Report of the study</source>
        <translation>Rapport de l&apos;étude</translation>
    </message>
    <message>
        <source>Labels of the study</source>
        <translation>Étiquettes de l&apos;étude</translation>
    </message>
    <message>
        <source>Rows in the report</source>
        <translation>Lignes du rapport</translation>
    </message>
    <message>
        <source>Rows to label</source>
        <translation>Lignes à étiqueter</translation>
    </message>
    <message>
        <source>1 point</source>
        <translation>1 point</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 points</translation>
    </message>
    <message>
        <source>&amp;Whole study (%1)</source>
        <translation>&amp;Toute l&apos;étude (%1)</translation>
    </message>
    <message>
        <source>&amp;Selected rows only (%1)</source>
        <translation>Lignes &amp;sélectionnées seulement (%1)</translation>
    </message>
    <message>
        <source>Rows shown by the &amp;filter (%1)</source>
        <translation>Lignes montrées par le &amp;filtre (%1)</translation>
    </message>
    <message>
        <source>Title block (lines left empty are not printed)</source>
        <translation>Cartouche (les lignes vides ne sont pas imprimées)</translation>
    </message>
    <message>
        <source>&amp;Project:</source>
        <translation>&amp;Projet :</translation>
    </message>
    <message>
        <source>&amp;Client:</source>
        <translation>&amp;Client :</translation>
    </message>
    <message>
        <source>Prepared &amp;by:</source>
        <translation>&amp;Auteur :</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>C&amp;ancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>Assessment</source>
        <translation>Évaluation</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Étiquettes</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Classique</translation>
    </message>
    <message>
        <source>NFPA 70E-2024</source>
        <translation>NFPA 70E-2024</translation>
    </message>
    <message>
        <source>CSA Z462-2024</source>
        <translation>CSA Z462-2024</translation>
    </message>
    <message>
        <source>6 × 4 in</source>
        <translation>6 × 4 po</translation>
    </message>
    <message>
        <source>4 × 4 in</source>
        <translation>4 × 4 po</translation>
    </message>
    <message>
        <source>5 × 3.5 in</source>
        <translation>5 × 3,5 po</translation>
    </message>
    <message>
        <source>DANGER above 600 V as well (DANGER above 40 cal/cm² always)</source>
        <translation>DANGER aussi au-delà de 600 V (DANGER au-delà de 40 cal/cm² toujours)</translation>
    </message>
    <message>
        <source>S&amp;tandard:</source>
        <translation>Nor&amp;me :</translation>
    </message>
    <message>
        <source>Page si&amp;ze:</source>
        <translation>Fo&amp;rmat :</translation>
    </message>
    <message>
        <source>Assessment &amp;date:</source>
        <translation>&amp;Date de l&apos;évaluation :</translation>
    </message>
    <message>
        <source>Name, licence</source>
        <translation>Nom, licence</translation>
    </message>
    <message>
        <source>&amp;Engineer:</source>
        <translation>&amp;Ingénieur :</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Español</source>
        <translation>Espagnol</translation>
    </message>
    <message>
        <source>Français</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Langue :</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TThird</name>
    <message>
        <source>ZENTAVO: results</source>
        <translation>ZENTAVO : résultats</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>&amp;Save results</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Create &amp;label</source>
        <translation>É&amp;tiqueter</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Tabout</name>
    <message>
        <source>About Zentavo</source>
        <translation>À propos de Zentavo</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Arc flash hazard calculator after IEEE 1584-2002 and IEEE 1584-2018: arcing current, incident energy, flash protection boundary, PPE level and shock approach boundaries, for one point of work or a whole study.

IEEE 1584-2002, on the main window&apos;s tabs: the empirical model from 208 V to 46 kV (the theoretically derived equations from 15 kV), current-limiting fuses and low-voltage circuit breakers. IEEE 1584-2018, in Options, IEEE 1584-2018 model: 208 V to 15 kV. Studies of many points of either edition: File, New study.

Supported systems: Linux desktops with Qt 6 (X11 and Wayland).

The results support, and do not replace, the judgement of a qualified person. Verify every input against the installation before work begins; the authors accept no liability for decisions made with this program.

Copyright © 2026 the Zentavo authors.
Zentavo is free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation>Calculateur du risque d&apos;arc électrique selon IEEE 1584-2002 et IEEE 1584-2018 : courant d&apos;arc, énergie incidente, frontière d&apos;arc électrique, niveau d&apos;EPI et frontières d&apos;approche contre les chocs électriques, pour un point de travail ou une étude entière.

IEEE 1584-2002, dans les onglets de la fenêtre principale : le modèle empirique de 208 V à 46 kV (les équations de dérivation théorique à partir de 15 kV), les fusibles limiteurs de courant et les disjoncteurs basse tension. IEEE 1584-2018, dans Options, Modèle IEEE 1584-2018 : de 208 V à 15 kV. Études de nombreux points de l&apos;une ou l&apos;autre édition : Fichier, Nouvelle étude.

Systèmes pris en charge : bureaux Linux avec Qt 6 (X11 et Wayland).

Les résultats appuient, sans le remplacer, le jugement d&apos;une personne qualifiée. Vérifiez chaque donnée sur l&apos;installation avant le début des travaux ; les auteurs déclinent toute responsabilité pour les décisions prises avec ce programme.

Copyright © 2026 les auteurs de Zentavo.
Zentavo est un logiciel libre distribué sous la licence publique générale GNU, version 3 ou ultérieure. Il est fourni sans aucune garantie.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TimeCurrentView</name>
    <message>
        <source>Time-current curve of the protective device</source>
        <translation>Courbe temps-courant du dispositif de protection</translation>
    </message>
    <message>
        <source>Current (A)</source>
        <translation>Courant (A)</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>Temps (s)</translation>
    </message>
    <message>
        <source>Current (A) at %1 V</source>
        <translation>Courant (A) à %1 V</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Tmain</name>
    <message>
        <source>Equipment bus gap in mm. Gaps of 3 to 40 mm were used for low voltage testing to simulate gaps between conductors in low voltage equipment and cables. Gaps 13, 104 and 152 mm. were used in 5 and 15kV equipment testings. </source>
        <translation>Écart entre les barres de l&apos;équipement en mm. Les essais basse tension ont utilisé des écarts de 3 à 40 mm pour simuler les écarts entre conducteurs des équipements et câbles basse tension. Les essais des équipements de 5 et 15 kV ont utilisé des écarts de 13, 104 et 152 mm. </translation>
    </message>
    <message>
        <source>Typical working distance is the sum of the distance between the worker standing in front of the equipment, and from the front of the equipment to the potential arc source inside the equipment (300 to 1000 mm). </source>
        <translation>La distance de travail type est la somme de la distance entre le travailleur debout devant l&apos;équipement et de la distance entre la façade de l&apos;équipement et la source d&apos;arc possible à l&apos;intérieur (300 à 1000 mm). </translation>
    </message>
    <message>
        <source>Available 3 phase bolted fault current for the range of 700A to 106kA at the point where work is to be performed in kA. </source>
        <translation>Courant de défaut franc triphasé disponible, de 700 A à 106 kA, au point où le travail sera effectué, en kA. </translation>
    </message>
    <message>
        <source>Line to line voltage - minimum 208 V, maximum 46000 V</source>
        <translation>Tension entre phases : minimum 208 V, maximum 46000 V</translation>
    </message>
    <message>
        <source>Line to line voltage - minimum 208 V, maximum 15000 V</source>
        <translation>Tension entre phases : minimum 208 V, maximum 15000 V</translation>
    </message>
    <message>
        <source>Active model:</source>
        <translation>Modèle actif :</translation>
    </message>
    <message>
        <source>IEEE 1584 Empirical Model</source>
        <translation>Modèle empirique IEEE 1584</translation>
    </message>
    <message>
        <source>IEEE1584 Empirical Model</source>
        <translation>Modèle empirique IEEE1584</translation>
    </message>
    <message>
        <source>IEEE1584 Fuse Equations</source>
        <translation>Équations fusibles IEEE1584</translation>
    </message>
    <message>
        <source>Low Voltage Circuit Breakers</source>
        <translation>Disjoncteurs basse tension</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;New study</source>
        <translation>&amp;Nouvelle étude</translation>
    </message>
    <message>
        <source>Open s&amp;tudy…</source>
        <translation>Ouvrir une é&amp;tude…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Label format</source>
        <translation>Format d&apos;&amp;étiquette</translation>
    </message>
    <message>
        <source>&amp;Units</source>
        <translation>&amp;Unités</translation>
    </message>
    <message>
        <source>&amp;IEEE 1584-2018 model</source>
        <translation>Modèle &amp;IEEE 1584-2018</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire (en anglais)</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>Equipment Class</source>
        <translation>Classe d&apos;équipement</translation>
    </message>
    <message>
        <source>Please select a class</source>
        <translation>Choisissez une classe</translation>
    </message>
    <message>
        <source>Gap between Conductors</source>
        <translation>Écart entre conducteurs</translation>
    </message>
    <message>
        <source>Grounding type</source>
        <translation>Mise à la terre</translation>
    </message>
    <message>
        <source>Working Distance</source>
        <translation>Distance de travail</translation>
    </message>
    <message>
        <source>Available 3 Phase Bolted Current</source>
        <translation>Courant de défaut franc tri.</translation>
    </message>
    <message>
        <source>kAmperes</source>
        <translation>kAmpères</translation>
    </message>
    <message>
        <source>System Voltage</source>
        <translation>Tension du réseau</translation>
    </message>
    <message>
        <source>Volts</source>
        <translation>Volts</translation>
    </message>
    <message>
        <source>Current Limiting Fuses</source>
        <translation>Fusibles limiteurs de courant</translation>
    </message>
    <message>
        <source>Current limiting Class L and Class RK1 fuses</source>
        <translation>Fusibles limiteurs de courant classe L et classe RK1</translation>
    </message>
    <message>
        <source>Show pressure developed by arc*</source>
        <translation>Afficher la pression d&apos;arc*</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Equipment Class (Grounded only)</source>
        <translation>Classe d&apos;équip. (mise à la terre)</translation>
    </message>
    <message>
        <source>Breaker Type</source>
        <translation>Type de disjoncteur</translation>
    </message>
    <message>
        <source>Breaker Interrupting Rating</source>
        <translation>Pouvoir de coupure</translation>
    </message>
    <message>
        <source>Breaker Instantaneous Trip</source>
        <translation>Déclenchement instantané</translation>
    </message>
    <message>
        <source>“%1” is not a length unit.</source>
        <translation>« %1 » n&apos;est pas une unité de longueur.</translation>
    </message>
    <message>
        <source>&amp;DC arc flash</source>
        <translation>Arc électrique en &amp;c.c.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Widgets</name>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
</TS>

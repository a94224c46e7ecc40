<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>OpenFiles</name>
    <message>
        <source>The file &quot;%1&quot; was changed by another program since it was opened. Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)</source>
        <translation>Otro programa cambió el archivo &quot;%1&quot; desde que se abrió. ¿Sobrescribirlo o cancelar? (Sí lo sobrescribe, No no guarda nada.)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is open in another window of Zentavo. Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)</source>
        <translation>El archivo &quot;%1&quot; está abierto en otra ventana de Zentavo. ¿Sobrescribirlo o cancelar? (Sí lo sobrescribe, No no guarda nada.)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is this window&apos;s own study. Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)</source>
        <translation>El archivo &quot;%1&quot; es el propio estudio de esta ventana. ¿Sobrescribirlo o cancelar? (Sí lo sobrescribe, No no guarda nada.)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is open in another window of Zentavo. Add the results to its end, or cancel? (Yes adds them, No saves nothing.)</source>
        <translation>El archivo &quot;%1&quot; está abierto en otra ventana de Zentavo. ¿Añadir los resultados al final o cancelar? (Sí los añade, No no guarda nada.)</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
No se encontró el archivo.
Compruebe que el nombre del archivo es correcto.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Application</name>
    <message>
        <source>Do you wish to exit now?</source>
        <translation>¿Desea salir ahora?</translation>
    </message>
    <message>
        <source>Thank you for using Zentavo</source>
        <translation>Gracias por usar Zentavo</translation>
    </message>
    <message>
        <source>The editor holds one file at a time: &quot;%1&quot; was not opened.</source>
        <translation>El editor abre un archivo a la vez: &quot;%1&quot; no se abrió.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::ComputeProgress</name>
    <message>
        <source>Computing the study&apos;s rows…</source>
        <translation>Calculando las filas del estudio…</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Detener</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::DevicePanel</name>
    <message>
        <source>IEEE-MI — IEEE moderately inverse</source>
        <translation>IEEE-MI — IEEE moderadamente inversa</translation>
    </message>
    <message>
        <source>IEEE-VI — IEEE very inverse</source>
        <translation>IEEE-VI — IEEE muy inversa</translation>
    </message>
    <message>
        <source>IEEE-EI — IEEE extremely inverse</source>
        <translation>IEEE-EI — IEEE extremadamente inversa</translation>
    </message>
    <message>
        <source>IEC-SI — IEC standard inverse</source>
        <translation>IEC-SI — IEC inversa normal</translation>
    </message>
    <message>
        <source>IEC-VI — IEC very inverse</source>
        <translation>IEC-VI — IEC muy inversa</translation>
    </message>
    <message>
        <source>IEC-EI — IEC extremely inverse</source>
        <translation>IEC-EI — IEC extremadamente inversa</translation>
    </message>
    <message>
        <source>IEC-LTI — IEC long-time inverse</source>
        <translation>IEC-LTI — IEC inversa de tiempo largo</translation>
    </message>
    <message>
        <source>DT — definite time</source>
        <translation>DT — tiempo definido</translation>
    </message>
    <message>
        <source>Relay with its breaker</source>
        <translation>Relé con su interruptor</translation>
    </message>
    <message>
        <source>Low-voltage trip unit</source>
        <translation>Unidad de disparo de baja tensión</translation>
    </message>
    <message>
        <source>Fuse, by its total-clearing curve</source>
        <translation>Fusible, por su curva de despeje total</translation>
    </message>
    <message>
        <source>Protective device:</source>
        <translation>Dispositivo de protección:</translation>
    </message>
    <message>
        <source>Share of the arcing current:</source>
        <translation>Fracción de la corriente de arco:</translation>
    </message>
    <message>
        <source>Maximum arc duration (sec, or none):</source>
        <translation>Duración máxima del arco (s, o ninguna):</translation>
    </message>
    <message>
        <source>Relay curve:</source>
        <translation>Curva del relé:</translation>
    </message>
    <message>
        <source>Pickup (A):</source>
        <translation>Arranque (A):</translation>
    </message>
    <message>
        <source>Time dial (sec for DT):</source>
        <translation>Dial de tiempo (s para DT):</translation>
    </message>
    <message>
        <source>Instantaneous pickup (A):</source>
        <translation>Arranque instantáneo (A):</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>Instantaneous delay (sec):</source>
        <translation>Retardo instantáneo (s):</translation>
    </message>
    <message>
        <source>Breaker time (sec):</source>
        <translation>Tiempo del interruptor (s):</translation>
    </message>
    <message>
        <source>Rating (A):</source>
        <translation>Corriente nominal (A):</translation>
    </message>
    <message>
        <source>Long-time pickup (× rating):</source>
        <translation>Arranque de tiempo largo (× nominal):</translation>
    </message>
    <message>
        <source>Long-time delay (sec at 6 × pickup):</source>
        <translation>Retardo de tiempo largo (s a 6 × arranque):</translation>
    </message>
    <message>
        <source>Short-time pickup (× LT pickup):</source>
        <translation>Arranque de tiempo corto (× arranque TL):</translation>
    </message>
    <message>
        <source>Short-time delay (sec):</source>
        <translation>Retardo de tiempo corto (s):</translation>
    </message>
    <message>
        <source>Instantaneous pickup (× rating):</source>
        <translation>Arranque instantáneo (× nominal):</translation>
    </message>
    <message>
        <source>Instantaneous clearing time (sec):</source>
        <translation>Tiempo de despeje instantáneo (s):</translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation>Tolerancia:</translation>
    </message>
    <message>
        <source>100:300 200:20 1000:0.1, or a curve&apos;s name</source>
        <translation>100:300 200:20 1000:0.1, o el nombre de una curva</translation>
    </message>
    <message>
        <source>Fuse curve (A:sec points, or a name):</source>
        <translation>Curva del fusible (puntos A:s, o un nombre):</translation>
    </message>
    <message>
        <source>Load device curves…</source>
        <translation>Cargar curvas de dispositivos…</translation>
    </message>
    <message>
        <source>No curves file loaded</source>
        <translation>Ningún archivo de curvas cargado</translation>
    </message>
    <message>
        <source>Load device curves</source>
        <translation>Cargar curvas de dispositivos</translation>
    </message>
    <message>
        <source>device curves (*.csv)</source>
        <translation>curvas de dispositivos (*.csv)</translation>
    </message>
    <message numerus="yes">
        <source>%n curve(s) from %1</source>
        <translation>
            <numerusform>%n curva de %1</numerusform>
            <numerusform>%n curvas de %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zentavo::ui::DialogService</name>
    <message>
        <source>… and %1 more</source>
        <translation>… y %1 más</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Handler</name>
    <message>
        <source>Unexpected error.</source>
        <translation>Error inesperado.</translation>
    </message>
    <message>
        <source>Out of memory: the action was stopped, and no file it was writing was kept.</source>
        <translation>Memoria insuficiente: la acción se detuvo y no se conservó ningún archivo que estuviera escribiendo.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::LibraryTexts</name>
    <message>
        <source>Open air</source>
        <translation>Aire libre</translation>
    </message>
    <message>
        <source>Switchgear</source>
        <translation>Tablero de maniobra</translation>
    </message>
    <message>
        <source>MCC and Panels</source>
        <translation>CCM y tableros</translation>
    </message>
    <message>
        <source>Cable</source>
        <translation>Cable</translation>
    </message>
    <message>
        <source>Ungrounded</source>
        <translation>No aterrizado</translation>
    </message>
    <message>
        <source>Grounded</source>
        <translation>Aterrizado</translation>
    </message>
    <message>
        <source>ungrounded</source>
        <translation>no aterrizado</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 0 A to 100 A</source>
        <translation>Fusible clase RK1, 0 A a 100 A</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 101 A to 200 A</source>
        <translation>Fusible clase RK1, 101 A a 200 A</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 201 A to 400 A</source>
        <translation>Fusible clase RK1, 201 A a 400 A</translation>
    </message>
    <message>
        <source>Class RK1 Fuse, 401 A to 600 A</source>
        <translation>Fusible clase RK1, 401 A a 600 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 601 A to 800 A</source>
        <translation>Fusible clase L, 601 A a 800 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 801 A to 1200 A</source>
        <translation>Fusible clase L, 801 A a 1200 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 1201 A to 1600 A</source>
        <translation>Fusible clase L, 1201 A a 1600 A</translation>
    </message>
    <message>
        <source>Class L Fuse, 1601 A to 2000 A</source>
        <translation>Fusible clase L, 1601 A a 2000 A</translation>
    </message>
    <message>
        <source>5 kV switchgear</source>
        <translation>Tablero de maniobra de 5 kV</translation>
    </message>
    <message>
        <source>5 kV switchgear (second size)</source>
        <translation>Tablero de maniobra de 5 kV (segundo tamaño)</translation>
    </message>
    <message>
        <source>5 kV MCC</source>
        <translation>CCM de 5 kV</translation>
    </message>
    <message>
        <source>15 kV switchgear</source>
        <translation>Tablero de maniobra de 15 kV</translation>
    </message>
    <message>
        <source>15 kV MCC</source>
        <translation>CCM de 15 kV</translation>
    </message>
    <message>
        <source>Low-voltage switchgear</source>
        <translation>Tablero de maniobra de baja tensión</translation>
    </message>
    <message>
        <source>Shallow low-voltage MCCs and panelboards</source>
        <translation>CCM y tableros de baja tensión poco profundos</translation>
    </message>
    <message>
        <source>Deep low-voltage MCCs and panelboards</source>
        <translation>CCM y tableros de baja tensión profundos</translation>
    </message>
    <message>
        <source>Cable junction box</source>
        <translation>Caja de empalme de cables</translation>
    </message>
    <message>
        <source>Typical</source>
        <translation>Típica</translation>
    </message>
    <message>
        <source>Shallow</source>
        <translation>Poco profunda</translation>
    </message>
    <message>
        <source>Natural fiber ( cotton / wool ) long sleeve shirt and pants,</source>
        <translation>Camisa de manga larga y pantalón de fibra natural (algodón/lana),</translation>
    </message>
    <message>
        <source>safety glasses, hard hat, V-rated  gloves.</source>
        <translation>gafas de seguridad, casco, guantes dieléctricos.</translation>
    </message>
    <message>
        <source>FR shirt and pants, safety glasses, hard hat, V-rated  gloves.</source>
        <translation>Camisa y pantalón FR, gafas de seguridad, casco, guantes dieléctricos.</translation>
    </message>
    <message>
        <source>FR shirt and pants, face shield, hard hat, ear canal inserts,  V-rated</source>
        <translation>Camisa y pantalón FR, careta, casco, tapones auditivos, guantes</translation>
    </message>
    <message>
        <source>and leather gloves, leather work shoes.</source>
        <translation>dieléctricos y de cuero, calzado de trabajo de cuero.</translation>
    </message>
    <message>
        <source>FR coverall over FR shirt and pants, flash suit hood, ear canal inserts,</source>
        <translation>Overol FR sobre camisa y pantalón FR, capucha de traje, tapones auditivos,</translation>
    </message>
    <message>
        <source>V-rated and leather  gloves, leather work shoes.</source>
        <translation>guantes dieléctricos y de cuero, calzado de trabajo de cuero.</translation>
    </message>
    <message>
        <source>Flash suit over FR coverall over FR shirt and pants, flash suit hood,</source>
        <translation>Traje de arco sobre overol FR, camisa y pantalón FR, capucha de traje,</translation>
    </message>
    <message>
        <source>ear canal inserts, V-rated and leather gloves, leather work shoes.</source>
        <translation>tapones auditivos, guantes dieléctricos y de cuero, calzado de cuero.</translation>
    </message>
    <message>
        <source>Consult PPE Manufacturer</source>
        <translation>Consulte al fabricante del EPP</translation>
    </message>
    <message>
        <source>Avoid contact</source>
        <translation>Evite el contacto</translation>
    </message>
    <message>
        <source>Arc Duration (sec):</source>
        <translation>Duración del arco (s):</translation>
    </message>
    <message>
        <source>Arc Duration @ Predicted Arc Current (sec):</source>
        <translation>Duración con la corriente de arco prevista (s):</translation>
    </message>
    <message>
        <source>Low Voltage Circuit Breakers Calculations</source>
        <translation>Cálculos para interruptores de baja tensión</translation>
    </message>
    <message>
        <source>Voltage out of range. </source>
        <translation>Tensión fuera de rango. </translation>
    </message>
    <message>
        <source>Invalid bolted current. </source>
        <translation>Corriente de falla franca no válida. </translation>
    </message>
    <message>
        <source>Enter Gap value</source>
        <translation>Introduzca la separación</translation>
    </message>
    <message>
        <source>Incorrect gap between conductors. </source>
        <translation>Separación entre conductores incorrecta. </translation>
    </message>
    <message>
        <source>Working distance is not within allowed limits. </source>
        <translation>La distancia de trabajo está fuera de los límites admitidos. </translation>
    </message>
    <message>
        <source> Equipment class not selected.</source>
        <translation> No se ha elegido la clase de equipo.</translation>
    </message>
    <message>
        <source> Grounding type not set.</source>
        <translation> No se ha indicado el tipo de puesta a tierra.</translation>
    </message>
    <message>
        <source>Enter IR value.</source>
        <translation>Introduzca la capacidad interruptiva.</translation>
    </message>
    <message>
        <source>Enter IT value.</source>
        <translation>Introduzca el disparo instantáneo.</translation>
    </message>
    <message>
        <source>Use IEEE 1584 Empirical Model for such a low bolted fault current value.</source>
        <translation>Para una corriente de falla franca tan baja, use el modelo empírico IEEE 1584.</translation>
    </message>
    <message>
        <source>Contact manufacturer for additional information above upper limit.</source>
        <translation>Por encima del límite superior, consulte al fabricante.</translation>
    </message>
    <message>
        <source>Available bolted fault current is higher than breaker interrupting rating.</source>
        <translation>La corriente de falla franca disponible supera la capacidad interruptiva del interruptor.</translation>
    </message>
    <message>
        <source>Predicted arcing current is less than the top of the breaker tripping band. IEEE 1584 empirically derived model must be used to resolve incident energies in this case.</source>
        <translation>La corriente de arco prevista es menor que el límite superior de la banda de disparo del interruptor. En este caso, la energía incidente debe calcularse con el modelo empírico IEEE 1584.</translation>
    </message>
    <message>
        <source>Enter valid arcing time. </source>
        <translation>Introduzca un tiempo de arco válido. </translation>
    </message>
    <message>
        <source>Arcing time should not exceed 2 seconds. </source>
        <translation>El tiempo de arco no debe superar 2 segundos. </translation>
    </message>
    <message>
        <source>Enter valid arcing time for reduced current</source>
        <translation>Introduzca un tiempo de arco válido para la corriente reducida</translation>
    </message>
    <message>
        <source>Arcing time for reduced current should not exceed 2 seconds. </source>
        <translation>El tiempo de arco para la corriente reducida no debe superar 2 segundos. </translation>
    </message>
    <message>
        <source>Enter voltage value. </source>
        <translation>Introduzca la tensión. </translation>
    </message>
    <message>
        <source>Voltage below 208 V. </source>
        <translation>Tensión inferior a 208 V. </translation>
    </message>
    <message>
        <source>Voltage above 15000 V. </source>
        <translation>Tensión superior a 15000 V. </translation>
    </message>
    <message>
        <source>Enter bolted current value. </source>
        <translation>Introduzca la corriente de falla franca. </translation>
    </message>
    <message>
        <source>Bolted current below 0.5 kA (208-600 V). </source>
        <translation>Corriente franca inferior a 0.5 kA (208-600 V). </translation>
    </message>
    <message>
        <source>Bolted current above 106 kA (208-600 V). </source>
        <translation>Corriente franca superior a 106 kA (208-600 V). </translation>
    </message>
    <message>
        <source>Bolted current below 0.2 kA (above 600 V). </source>
        <translation>Corriente franca inferior a 0.2 kA (más de 600 V). </translation>
    </message>
    <message>
        <source>Bolted current above 65 kA (above 600 V). </source>
        <translation>Corriente franca superior a 65 kA (más de 600 V). </translation>
    </message>
    <message>
        <source>Enter gap value. </source>
        <translation>Introduzca la separación. </translation>
    </message>
    <message>
        <source>Enter working distance value. </source>
        <translation>Introduzca la distancia de trabajo. </translation>
    </message>
    <message>
        <source>Electrode configuration not selected. </source>
        <translation>No se ha elegido la configuración de electrodos. </translation>
    </message>
    <message>
        <source>Enter enclosure height value. </source>
        <translation>Introduzca la altura de la envolvente. </translation>
    </message>
    <message>
        <source>Enter enclosure width value. </source>
        <translation>Introduzca el ancho de la envolvente. </translation>
    </message>
    <message>
        <source>Enter enclosure depth value. </source>
        <translation>Introduzca la profundidad de la envolvente. </translation>
    </message>
    <message>
        <source>Enclosure height not positive. </source>
        <translation>La altura de la envolvente no es positiva. </translation>
    </message>
    <message>
        <source>Enclosure depth not positive. </source>
        <translation>La profundidad de la envolvente no es positiva. </translation>
    </message>
    <message>
        <source>Enclosure width below 4 x gap. </source>
        <translation>Ancho de la envolvente inferior a 4 veces la separación. </translation>
    </message>
    <message>
        <source>Enclosure too small for the size correction. </source>
        <translation>Envolvente demasiado pequeña para la corrección por tamaño. </translation>
    </message>
    <message>
        <source>Enter arc duration value. </source>
        <translation>Introduzca la duración del arco. </translation>
    </message>
    <message>
        <source>Enter arc duration value for reduced current. </source>
        <translation>Introduzca la duración del arco para la corriente reducida. </translation>
    </message>
    <message>
        <source>Arcing current not defined for these inputs. </source>
        <translation>La corriente de arco no está definida para estos datos. </translation>
    </message>
    <message>
        <source>Incident energy not defined for these inputs. </source>
        <translation>La energía incidente no está definida para estos datos. </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>&apos;%1&apos; no es un número válido</translation>
    </message>
    <message>
        <source>Gap between conductors (%1):</source>
        <translation>Separación entre conductores (%1):</translation>
    </message>
    <message>
        <source>Gap between electrodes (%1):</source>
        <translation>Separación entre electrodos (%1):</translation>
    </message>
    <message>
        <source>Enclosure height (%1):</source>
        <translation>Altura de la envolvente (%1):</translation>
    </message>
    <message>
        <source>Enclosure width (%1):</source>
        <translation>Ancho de la envolvente (%1):</translation>
    </message>
    <message>
        <source>Enclosure depth (%1):</source>
        <translation>Profundidad de la envolvente (%1):</translation>
    </message>
    <message>
        <source>Working distance (%1):</source>
        <translation>Distancia de trabajo (%1):</translation>
    </message>
    <message>
        <source>Incident energy exposure (%1):</source>
        <translation>Energía incidente (%1):</translation>
    </message>
    <message>
        <source>Flash protection boundary (%1):</source>
        <translation>Frontera de arco eléctrico (%1):</translation>
    </message>
    <message>
        <source>Limited approach boundary (%1):</source>
        <translation>Frontera de aproximación limitada (%1):</translation>
    </message>
    <message>
        <source>Restricted approach boundary (%1):</source>
        <translation>Frontera de aproximación restringida (%1):</translation>
    </message>
    <message>
        <source>Prohibited approach boundary (%1):</source>
        <translation>Frontera de aproximación prohibida (%1):</translation>
    </message>
    <message>
        <source>Initial pressure (%1):</source>
        <translation>Presión inicial (%1):</translation>
    </message>
    <message>
        <source>Initial Pressure (%1):</source>
        <translation>Presión inicial (%1):</translation>
    </message>
    <message>
        <source>TNT Equivalent (%1):</source>
        <translation>Equivalente TNT (%1):</translation>
    </message>
    <message>
        <source>Equipment type:</source>
        <translation>Tipo de equipo:</translation>
    </message>
    <message>
        <source>Grounding:</source>
        <translation>Puesta a tierra:</translation>
    </message>
    <message>
        <source>Arc Duration @ 15% Reduced Arc Current (sec):</source>
        <translation>Duración con corriente de arco reducida 15 % (s):</translation>
    </message>
    <message>
        <source>Available 3Ph Bolted Current (kA):</source>
        <translation>Corriente de falla franca 3F (kA):</translation>
    </message>
    <message>
        <source>Predicted 3Ph Arcing Current (kA):</source>
        <translation>Corriente de arco 3F prevista (kA):</translation>
    </message>
    <message>
        <source>System voltage (V):</source>
        <translation>Tensión del sistema (V):</translation>
    </message>
    <message>
        <source>Level of PPE:</source>
        <translation>Nivel de EPP:</translation>
    </message>
    <message>
        <source>Typical protective clothing system:</source>
        <translation>Ropa de protección típica:</translation>
    </message>
    <message>
        <source>Based on equations for:</source>
        <translation>Según las ecuaciones de:</translation>
    </message>
    <message>
        <source>System summary</source>
        <translation>Resumen del sistema</translation>
    </message>
    <message>
        <source>Calculation results (100% arcing current):</source>
        <translation>Resultados (100 % de la corriente de arco):</translation>
    </message>
    <message>
        <source>Calculation results (85% arcing current): </source>
        <translation>Resultados (85 % de la corriente de arco): </translation>
    </message>
    <message>
        <source>Calculation results:</source>
        <translation>Resultados del cálculo:</translation>
    </message>
    <message>
        <source>Calculations based on the IEEE 1584 empirical model</source>
        <translation>Cálculos según el modelo empírico IEEE 1584</translation>
    </message>
    <message>
        <source>The calculation results below are based upon IEEE 1584 Fuse Equations.</source>
        <translation>Los resultados siguientes se basan en las ecuaciones de fusibles IEEE 1584.</translation>
    </message>
    <message>
        <source>They are intended to help determine  the  PPE level of  protection against</source>
        <translation>Sirven para ayudar a determinar el nivel de EPP de protección</translation>
    </message>
    <message>
        <source>radiated heat only.  Actual  arc flash  severity  could be  different from the </source>
        <translation>solo contra el calor radiado. La gravedad real del arco puede</translation>
    </message>
    <message>
        <source>results shown below. </source>
        <translation>diferir de los resultados siguientes.</translation>
    </message>
    <message>
        <source>Calculations are based on 3-phase test at 600 V with an electrode </source>
        <translation>Los cálculos se basan en ensayos trifásicos a 600 V con una</translation>
    </message>
    <message>
        <source>gap  of  32 mm  in  a  switchgear  sized  enclosure 20&quot; x 20&quot; x20 &quot;</source>
        <translation>separación de 32 mm en una envolvente de tablero de 20&quot; x 20&quot; x 20&quot;</translation>
    </message>
    <message>
        <source>The calculation results below are based upon IEEE 1584 equations  </source>
        <translation>Los resultados siguientes se basan en las ecuaciones IEEE 1584</translation>
    </message>
    <message>
        <source>for incident energy and flash protection boundary by circuit breaker  </source>
        <translation>de energía incidente y frontera de arco eléctrico por tipo</translation>
    </message>
    <message>
        <source>type   and   rating.   The   results   are   based  on  3-phase  tests in   </source>
        <translation>y capacidad de interruptor. Los resultados se basan en ensayos</translation>
    </message>
    <message>
        <source>20&quot;x20&quot;x20&quot; ( 508x508x508mm. ) enclosure with an electrode  gap</source>
        <translation>envolvente de 20&quot;x20&quot;x20&quot; (508x508x508 mm) con una separación</translation>
    </message>
    <message>
        <source>of  1  inch  ( 25mm ).  Actual  arc  flash  severity  could  be  different </source>
        <translation>de 1 pulgada (25 mm). La gravedad real del arco puede diferir</translation>
    </message>
    <message>
        <source>from the results shown in this window. </source>
        <translation>de los resultados de esta ventana.</translation>
    </message>
    <message>
        <source>Arc Flash &amp; Shock Hazard</source>
        <translation>Peligro de arco eléctrico y choque</translation>
    </message>
    <message>
        <source>Equipment type</source>
        <translation>Tipo de equipo</translation>
    </message>
    <message>
        <source>Grounding</source>
        <translation>Puesta a tierra</translation>
    </message>
    <message>
        <source>Work Distance</source>
        <translation>Distancia de trabajo</translation>
    </message>
    <message>
        <source>Available bolted current</source>
        <translation>Corriente de falla franca disponible</translation>
    </message>
    <message>
        <source>Limited approach boundary</source>
        <translation>Frontera de aproximación limitada</translation>
    </message>
    <message>
        <source>Restricted approach boundary</source>
        <translation>Frontera de aproximación restringida</translation>
    </message>
    <message>
        <source>Prohibited approach boundary</source>
        <translation>Frontera de aproximación prohibida</translation>
    </message>
    <message>
        <source>Flash protection boundary</source>
        <translation>Frontera de arco eléctrico</translation>
    </message>
    <message>
        <source>Incident energy at work distance</source>
        <translation>Energía incidente a la distancia de trabajo</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>Presión</translation>
    </message>
    <message>
        <source>TNT equivalent</source>
        <translation>Equivalente TNT</translation>
    </message>
    <message>
        <source>PPE level</source>
        <translation>Nivel de EPP</translation>
    </message>
    <message>
        <source>Typical protective clothing systems</source>
        <translation>Ropa de protección típica</translation>
    </message>
    <message>
        <source>Equipment name</source>
        <translation>Nombre del equipo</translation>
    </message>
    <message>
        <source>Date created</source>
        <translation>Fecha de creación</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>¡Advertencia!</translation>
    </message>
    <message>
        <source>Gap below 6.35 mm (208-600 V). </source>
        <translation>Separación inferior a 6.35 mm (208-600 V). </translation>
    </message>
    <message>
        <source>Gap above 76.2 mm (208-600 V). </source>
        <translation>Separación superior a 76.2 mm (208-600 V). </translation>
    </message>
    <message>
        <source>Gap below 19.05 mm (above 600 V). </source>
        <translation>Separación inferior a 19.05 mm (más de 600 V). </translation>
    </message>
    <message>
        <source>Gap above 254 mm (above 600 V). </source>
        <translation>Separación superior a 254 mm (más de 600 V). </translation>
    </message>
    <message>
        <source>Working distance below 305 mm. </source>
        <translation>Distancia de trabajo inferior a 305 mm. </translation>
    </message>
    <message>
        <source>Gap below 6.35 mm (%1 inches) (208-600 V). </source>
        <translation>Separación inferior a 6.35 mm (%1 pulgadas) (208-600 V). </translation>
    </message>
    <message>
        <source>Gap above 76.2 mm (%1 inches) (208-600 V). </source>
        <translation>Separación superior a 76.2 mm (%1 pulgadas) (208-600 V). </translation>
    </message>
    <message>
        <source>Gap below 19.05 mm (%1 inches) (above 600 V). </source>
        <translation>Separación inferior a 19.05 mm (%1 pulgadas) (más de 600 V). </translation>
    </message>
    <message>
        <source>Gap above 254 mm (%1 inches) (above 600 V). </source>
        <translation>Separación superior a 254 mm (%1 pulgadas) (más de 600 V). </translation>
    </message>
    <message>
        <source>Working distance below 305 mm (%1 inches). </source>
        <translation>Distancia de trabajo inferior a 305 mm (%1 pulgadas). </translation>
    </message>
    <message>
        <source>Protective device does not operate at %1 kA arcing current. </source>
        <translation>El dispositivo de protección no actúa con una corriente de arco de %1 kA. </translation>
    </message>
    <message>
        <source>Arc duration must be above 0 s. </source>
        <translation>La duración del arco debe ser mayor que 0 s. </translation>
    </message>
    <message>
        <source>Arc duration for reduced current must be above 0 s. </source>
        <translation>La duración del arco para la corriente reducida debe ser mayor que 0 s. </translation>
    </message>
    <message>
        <source>Arc duration must be at least 0.001 s. </source>
        <translation>La duración del arco debe ser de al menos 0.001 s. </translation>
    </message>
    <message>
        <source>Arc duration for reduced current must be at least 0.001 s. </source>
        <translation>La duración del arco para la corriente reducida debe ser de al menos 0.001 s. </translation>
    </message>
    <message>
        <source>must be at least 0.001 s</source>
        <translation>debe ser de al menos 0.001 s</translation>
    </message>
    <message>
        <source>the relay and its breaker would clear in less than 0.001 s, faster than any protective device</source>
        <translation>el relé y su interruptor despejarían en menos de 0.001 s, más rápido que cualquier dispositivo de protección</translation>
    </message>
    <message>
        <source>current must be above the point before by more than 1e-9 of it</source>
        <translation>la corriente debe superar a la del punto anterior en más de 1e-9 de esta</translation>
    </message>
    <message>
        <source>%1 A is below 1 A primary: check the setting</source>
        <translation>%1 A es inferior a 1 A primario: revise el ajuste</translation>
    </message>
    <message>
        <source>%1 is outside 0.01 to 20: check the setting</source>
        <translation>%1 está fuera de 0.01 a 20: revise el ajuste</translation>
    </message>
    <message>
        <source>%1 A is below the pickup (%2 A): check the setting</source>
        <translation>%1 A es inferior al arranque (%2 A): revise el ajuste</translation>
    </message>
    <message>
        <source>%1 is outside 0.4 to 1 of the rating: check the setting</source>
        <translation>%1 está fuera de 0.4 a 1 de la corriente nominal: revise el ajuste</translation>
    </message>
    <message>
        <source>%1 (%2 A) is below the long-time pickup (%3 A): check the setting</source>
        <translation>%1 (%2 A) es inferior al arranque de tiempo largo (%3 A): revise el ajuste</translation>
    </message>
    <message>
        <source>%1 s is above 10000 s: check the curve</source>
        <translation>%1 s es superior a 10000 s: revise la curva</translation>
    </message>
    <message>
        <source>enter a value</source>
        <translation>introduzca un valor</translation>
    </message>
    <message>
        <source>Voltage must be above 0 V. </source>
        <translation>La tensión debe ser mayor que 0 V. </translation>
    </message>
    <message>
        <source>Enter bolted current or source resistance value. </source>
        <translation>Introduzca la corriente de falla franca o la resistencia de la fuente. </translation>
    </message>
    <message>
        <source>Give the bolted current or the source resistance, not both. </source>
        <translation>Indique la corriente de falla franca o la resistencia de la fuente, no ambas. </translation>
    </message>
    <message>
        <source>Bolted current must be above 0 kA. </source>
        <translation>La corriente de falla franca debe ser mayor que 0 kA. </translation>
    </message>
    <message>
        <source>Source resistance must be above 0 ohm. </source>
        <translation>La resistencia de la fuente debe ser mayor que 0 ohm. </translation>
    </message>
    <message>
        <source>Enter gap value (arc-resistance method). </source>
        <translation>Introduzca la separación (método de resistencia del arco). </translation>
    </message>
    <message>
        <source>Gap must be above 0 mm. </source>
        <translation>La separación debe ser mayor que 0 mm. </translation>
    </message>
    <message>
        <source>Working distance must be above 0 mm. </source>
        <translation>La distancia de trabajo debe ser mayor que 0 mm. </translation>
    </message>
    <message>
        <source>Bolted current must be from 0.001 kA to 1000 kA. </source>
        <translation>La corriente de falla franca debe estar entre 0.001 kA y 1000 kA. </translation>
    </message>
    <message>
        <source>Source resistance must be from 0.00001 ohm to 1000 ohm. </source>
        <translation>La resistencia de la fuente debe estar entre 0.00001 ohm y 1000 ohm. </translation>
    </message>
    <message>
        <source>Gap must be from 1 mm to 1000 mm. </source>
        <translation>La separación debe estar entre 1 mm y 1000 mm. </translation>
    </message>
    <message>
        <source>Working distance must be from 100 mm to 100000 mm. </source>
        <translation>La distancia de trabajo debe estar entre 100 mm y 100000 mm. </translation>
    </message>
    <message>
        <source>Arc duration must be at most 10000 s. </source>
        <translation>La duración del arco debe ser como máximo 10000 s. </translation>
    </message>
    <message>
        <source>Enclosure not selected. </source>
        <translation>No se ha elegido la envolvente. </translation>
    </message>
    <message>
        <source>Arc may not be sustained: arcing current below 10 + 0.2 x gap A. </source>
        <translation>El arco puede no sostenerse: corriente de arco inferior a 10 + 0.2 x separación A. </translation>
    </message>
    <message>
        <source>Arc may not be sustained: arc voltage not below the system voltage. </source>
        <translation>El arco puede no sostenerse: tensión del arco no inferior a la del sistema. </translation>
    </message>
    <message>
        <source>Arc duration: none typed and no protective device, 2 s assumed. </source>
        <translation>Duración del arco: no escrita y sin dispositivo de protección, se suponen 2 s. </translation>
    </message>
    <message>
        <source>Not computed: the calculation was stopped before this row. Compute again to finish it.</source>
        <translation>No calculada: el cálculo se detuvo antes de esta fila. Calcule de nuevo para terminarlo.</translation>
    </message>
    <message>
        <source>Voltage must be from 1 V to 800000 V. </source>
        <translation>La tensión debe estar entre 1 V y 800000 V. </translation>
    </message>
    <message>
        <source>At or below 150 V DC an arc is hard to sustain; the energy assumes it is sustained. </source>
        <translation>A 150 V CC o menos un arco se sostiene con dificultad; la energía supone que se sostiene. </translation>
    </message>
    <message>
        <source>Shock approach boundaries: not specified below 50 V DC. </source>
        <translation>Fronteras de aproximación por choque eléctrico: no se especifican por debajo de 50 V CC. </translation>
    </message>
    <message>
        <source>the relay does not operate at %1 kA: exposure limited to %2 s. </source>
        <translation>el relé no actúa a %1 kA: exposición limitada a %2 s. </translation>
    </message>
    <message>
        <source>the trip unit does not operate at %1 kA: exposure limited to %2 s. </source>
        <translation>la unidad de disparo no actúa a %1 kA: exposición limitada a %2 s. </translation>
    </message>
    <message>
        <source>the fuse does not operate at %1 kA: exposure limited to %2 s. </source>
        <translation>el fusible no actúa a %1 kA: exposición limitada a %2 s. </translation>
    </message>
    <message>
        <source>the relay takes %1 s at %2 kA: exposure limited to %3 s. </source>
        <translation>el relé tarda %1 s a %2 kA: exposición limitada a %3 s. </translation>
    </message>
    <message>
        <source>the trip unit takes %1 s at %2 kA: exposure limited to %3 s. </source>
        <translation>la unidad de disparo tarda %1 s a %2 kA: exposición limitada a %3 s. </translation>
    </message>
    <message>
        <source>the fuse takes %1 s at %2 kA: exposure limited to %3 s. </source>
        <translation>el fusible tarda %1 s a %2 kA: exposición limitada a %3 s. </translation>
    </message>
    <message>
        <source>no device opens before the maximum arc duration: exposure limited to %1 s. </source>
        <translation>ningún dispositivo abre antes de la duración máxima del arco: exposición limitada a %1 s. </translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>No aplica</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>pulgadas</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::OneLineCanvas</name>
    <message>
        <source>One-line diagram</source>
        <translation>Diagrama unifilar</translation>
    </message>
    <message>
        <source>No network to draw: no row of the study names a bus.</source>
        <translation>No hay red que dibujar: ninguna fila del estudio nombra una barra.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::OneLineDock</name>
    <message>
        <source>One-line diagram</source>
        <translation>Diagrama unifilar</translation>
    </message>
    <message>
        <source>Scena&amp;rio:</source>
        <translation>Esce&amp;nario:</translation>
    </message>
    <message>
        <source>The scenario whose network is drawn; the notes give each bus&apos;s worst point</source>
        <translation>El escenario cuya red se dibuja; las notas dan el peor punto de cada barra</translation>
    </message>
    <message>
        <source>Fit to &amp;window</source>
        <translation>A&amp;justar a la ventana</translation>
    </message>
    <message>
        <source>Export one-l&amp;ine…</source>
        <translation>Exportar &amp;unifilar…</translation>
    </message>
    <message>
        <source>I max</source>
        <translation>I máx</translation>
    </message>
    <message>
        <source>I min</source>
        <translation>I mín</translation>
    </message>
    <message>
        <source>PPE</source>
        <translation>EPP</translation>
    </message>
    <message>
        <source>no fault current</source>
        <translation>sin corriente de falla</translation>
    </message>
    <message>
        <source>no point computed</source>
        <translation>ningún punto calculado</translation>
    </message>
    <message>
        <source>trip</source>
        <comment>a trip unit&apos;s rating on the one-line</comment>
        <translation>disparo</translation>
    </message>
    <message>
        <source>relay</source>
        <comment>a relay&apos;s pickup on the one-line</comment>
        <translation>relé</translation>
    </message>
    <message>
        <source>fuse</source>
        <comment>a fuse curve&apos;s name on the one-line</comment>
        <translation>fusible</translation>
    </message>
    <message>
        <source>sets</source>
        <comment>a cable&apos;s conductors in parallel on the one-line</comment>
        <translation>ternas</translation>
    </message>
    <message>
        <source>Export one-line as</source>
        <translation>Exportar el unifilar como</translation>
    </message>
    <message>
        <source>SVG pictures (*.svg)</source>
        <translation>imágenes SVG (*.svg)</translation>
    </message>
    <message>
        <source>The one-line is not written over its own study: choose another file.</source>
        <translation>El unifilar no se escribe sobre su propio estudio: elija otro archivo.</translation>
    </message>
    <message>
        <source>No network to draw: no row of the study names a bus.</source>
        <translation>No hay red que dibujar: ninguna fila del estudio nombra una barra.</translation>
    </message>
    <message>
        <source>One-line diagram, scenario %1</source>
        <translation>Diagrama unifilar, escenario %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Re&amp;name bus %1…</source>
        <translation>Ren&amp;ombrar la barra %1…</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::QtDialogService</name>
    <message>
        <source>Save results to</source>
        <translation>Guardar resultados en</translation>
    </message>
    <message>
        <source>text files (*.txt)</source>
        <translation>archivos de texto (*.txt)</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>¡Advertencia!</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Guardar cambios</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Descartar</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Duplicate rows</source>
        <translation>Duplicar filas</translation>
    </message>
    <message>
        <source>Copy the &amp;branch too</source>
        <translation>Copiar también la &amp;rama</translation>
    </message>
    <message>
        <source>&amp;Only the point</source>
        <translation>&amp;Solo el punto</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::StudyModel</name>
    <message>
        <source>Edit %1</source>
        <translation>Editar %1</translation>
    </message>
    <message>
        <source>Delete rows</source>
        <translation>Eliminar filas</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Método</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Tensión</translation>
    </message>
    <message>
        <source>Bolted fault current</source>
        <translation>Corriente de falla franca</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Separación</translation>
    </message>
    <message>
        <source>Gap unit</source>
        <translation>Unidad de la separación</translation>
    </message>
    <message>
        <source>Working distance unit</source>
        <translation>Unidad de la distancia de trabajo</translation>
    </message>
    <message>
        <source>Working distance</source>
        <translation>Distancia de trabajo</translation>
    </message>
    <message>
        <source>Equipment class</source>
        <translation>Clase de equipo</translation>
    </message>
    <message>
        <source>Grounding</source>
        <translation>Puesta a tierra</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Duración del arco</translation>
    </message>
    <message>
        <source>Arc duration, reduced</source>
        <translation>Duración del arco, reducida</translation>
    </message>
    <message>
        <source>Fuse class</source>
        <translation>Clase de fusible</translation>
    </message>
    <message>
        <source>Breaker type</source>
        <translation>Tipo de interruptor</translation>
    </message>
    <message>
        <source>Interrupting rating</source>
        <translation>Capacidad interruptiva</translation>
    </message>
    <message>
        <source>Instantaneous trip</source>
        <translation>Disparo instantáneo</translation>
    </message>
    <message>
        <source>Electrode configuration</source>
        <translation>Configuración de electrodos</translation>
    </message>
    <message>
        <source>Enclosure height</source>
        <translation>Altura de la envolvente</translation>
    </message>
    <message>
        <source>Enclosure width</source>
        <translation>Ancho de la envolvente</translation>
    </message>
    <message>
        <source>Enclosure depth</source>
        <translation>Profundidad de la envolvente</translation>
    </message>
    <message>
        <source>Enclosure unit</source>
        <translation>Unidad de la envolvente</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Arcing current, full</source>
        <translation>Corriente de arco, completa</translation>
    </message>
    <message>
        <source>Arcing current, reduced</source>
        <translation>Corriente de arco, reducida</translation>
    </message>
    <message>
        <source>Incident energy, full</source>
        <translation>Energía incidente, completa</translation>
    </message>
    <message>
        <source>Flash boundary, full</source>
        <translation>Frontera de arco eléctrico, completa</translation>
    </message>
    <message>
        <source>PPE level, full</source>
        <translation>Nivel de EPP, completa</translation>
    </message>
    <message>
        <source>Clothing, full, line 1</source>
        <translation>Ropa, completa, línea 1</translation>
    </message>
    <message>
        <source>Clothing, full, line 2</source>
        <translation>Ropa, completa, línea 2</translation>
    </message>
    <message>
        <source>Incident energy, reduced</source>
        <translation>Energía incidente, reducida</translation>
    </message>
    <message>
        <source>Flash boundary, reduced</source>
        <translation>Frontera de arco eléctrico, reducida</translation>
    </message>
    <message>
        <source>PPE level, reduced</source>
        <translation>Nivel de EPP, reducida</translation>
    </message>
    <message>
        <source>Clothing, reduced, line 1</source>
        <translation>Ropa, reducida, línea 1</translation>
    </message>
    <message>
        <source>Clothing, reduced, line 2</source>
        <translation>Ropa, reducida, línea 2</translation>
    </message>
    <message>
        <source>Pressure, full</source>
        <translation>Presión, completa</translation>
    </message>
    <message>
        <source>Pressure, reduced</source>
        <translation>Presión, reducida</translation>
    </message>
    <message>
        <source>TNT equivalent, full</source>
        <translation>Equivalente TNT, completa</translation>
    </message>
    <message>
        <source>TNT equivalent, reduced</source>
        <translation>Equivalente TNT, reducida</translation>
    </message>
    <message>
        <source>Limited approach boundary</source>
        <translation>Frontera de aproximación limitada</translation>
    </message>
    <message>
        <source>Restricted approach boundary</source>
        <translation>Frontera de aproximación restringida</translation>
    </message>
    <message>
        <source>Prohibited approach boundary</source>
        <translation>Frontera de aproximación prohibida</translation>
    </message>
    <message>
        <source>Governing case</source>
        <translation>Caso determinante</translation>
    </message>
    <message>
        <source>Equations</source>
        <translation>Ecuaciones</translation>
    </message>
    <message>
        <source>Incident energy, governing</source>
        <translation>Energía incidente, determinante</translation>
    </message>
    <message>
        <source>Flash boundary, governing</source>
        <translation>Frontera de arco eléctrico, determinante</translation>
    </message>
    <message>
        <source>PPE level, governing</source>
        <translation>Nivel de EPP, determinante</translation>
    </message>
    <message>
        <source>Enclosure type</source>
        <translation>Tipo de envolvente</translation>
    </message>
    <message>
        <source>Enclosure correction factor</source>
        <translation>Factor de corrección de la envolvente</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Punto</translation>
    </message>
    <message>
        <source>Add row</source>
        <translation>Añadir fila</translation>
    </message>
    <message>
        <source>Duplicate rows</source>
        <translation>Duplicar filas</translation>
    </message>
    <message>
        <source>Pasted row %1: &apos;%2&apos; in column %3 is not a number.</source>
        <translation>Fila pegada %1: &apos;%2&apos; en la columna %3 no es un número.</translation>
    </message>
    <message>
        <source>Paste rows</source>
        <translation>Pegar filas</translation>
    </message>
    <message>
        <source>Protective device</source>
        <translation>Dispositivo de protección</translation>
    </message>
    <message>
        <source>Relay curve</source>
        <translation>Curva del relé</translation>
    </message>
    <message>
        <source>Relay pickup</source>
        <translation>Arranque del relé</translation>
    </message>
    <message>
        <source>Relay time dial</source>
        <translation>Dial de tiempo del relé</translation>
    </message>
    <message>
        <source>Relay instantaneous pickup</source>
        <translation>Arranque instantáneo del relé</translation>
    </message>
    <message>
        <source>Relay instantaneous delay</source>
        <translation>Retardo instantáneo del relé</translation>
    </message>
    <message>
        <source>Breaker interrupting time</source>
        <translation>Tiempo de interrupción del interruptor</translation>
    </message>
    <message>
        <source>Trip unit rating</source>
        <translation>Corriente nominal de la unidad de disparo</translation>
    </message>
    <message>
        <source>Long-time pickup</source>
        <translation>Arranque de tiempo largo</translation>
    </message>
    <message>
        <source>Long-time delay</source>
        <translation>Retardo de tiempo largo</translation>
    </message>
    <message>
        <source>Short-time pickup</source>
        <translation>Arranque de tiempo corto</translation>
    </message>
    <message>
        <source>Short-time delay</source>
        <translation>Retardo de tiempo corto</translation>
    </message>
    <message>
        <source>Instantaneous pickup</source>
        <translation>Arranque instantáneo</translation>
    </message>
    <message>
        <source>Instantaneous clearing time</source>
        <translation>Tiempo de despeje instantáneo</translation>
    </message>
    <message>
        <source>Trip band tolerance</source>
        <translation>Tolerancia de la banda de disparo</translation>
    </message>
    <message>
        <source>Fuse curve</source>
        <translation>Curva del fusible</translation>
    </message>
    <message>
        <source>Device share of the current</source>
        <translation>Fracción de la corriente en el dispositivo</translation>
    </message>
    <message>
        <source>Maximum arc duration</source>
        <translation>Duración máxima del arco</translation>
    </message>
    <message>
        <source>Arc duration used, full</source>
        <translation>Duración del arco usada, completa</translation>
    </message>
    <message>
        <source>Arc duration used, reduced</source>
        <translation>Duración del arco usada, reducida</translation>
    </message>
    <message>
        <source>Device element, full</source>
        <translation>Elemento del dispositivo, completa</translation>
    </message>
    <message>
        <source>Device element, reduced</source>
        <translation>Elemento del dispositivo, reducida</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>Barra</translation>
    </message>
    <message>
        <source>From bus</source>
        <translation>Desde la barra</translation>
    </message>
    <message>
        <source>Branch type</source>
        <translation>Tipo de rama</translation>
    </message>
    <message>
        <source>Source fault current</source>
        <translation>Corriente de falla de la fuente</translation>
    </message>
    <message>
        <source>Source X/R</source>
        <translation>X/R de la fuente</translation>
    </message>
    <message>
        <source>Source fault current, minimum</source>
        <translation>Corriente de falla de la fuente, mínima</translation>
    </message>
    <message>
        <source>Transformer rating</source>
        <translation>Potencia del transformador</translation>
    </message>
    <message>
        <source>Transformer impedance</source>
        <translation>Impedancia del transformador</translation>
    </message>
    <message>
        <source>Transformer X/R</source>
        <translation>X/R del transformador</translation>
    </message>
    <message>
        <source>Cable length</source>
        <translation>Longitud del cable</translation>
    </message>
    <message>
        <source>Cable resistance</source>
        <translation>Resistencia del cable</translation>
    </message>
    <message>
        <source>Cable reactance</source>
        <translation>Reactancia del cable</translation>
    </message>
    <message>
        <source>Cable sets</source>
        <translation>Conductores en paralelo</translation>
    </message>
    <message>
        <source>Motor rating</source>
        <translation>Potencia de los motores</translation>
    </message>
    <message>
        <source>Motor reactance</source>
        <translation>Reactancia de los motores</translation>
    </message>
    <message>
        <source>Motor X/R</source>
        <translation>X/R de los motores</translation>
    </message>
    <message>
        <source>Bolted fault current, maximum</source>
        <translation>Corriente de falla franca, máxima</translation>
    </message>
    <message>
        <source>Bolted fault current, minimum</source>
        <translation>Corriente de falla franca, mínima</translation>
    </message>
    <message>
        <source>Fault current case</source>
        <translation>Caso</translation>
    </message>
    <message>
        <source>Branch share</source>
        <translation>Fracción de la rama</translation>
    </message>
    <message>
        <source>Branch share, minimum</source>
        <translation>Fracción de la rama, mínima</translation>
    </message>
    <message>
        <source>Pasted row %1: &apos;%2&apos; in column %3 is not a number or &quot;none&quot;.</source>
        <translation>Fila pegada %1: &apos;%2&apos; en la columna %3 no es un número ni &quot;none&quot;.</translation>
    </message>
    <message>
        <source>Cable temperature at the end of a fault</source>
        <translation>Temperatura del cable al final de la falla</translation>
    </message>
    <message>
        <source>Transformer rated voltage, HV</source>
        <translation>Tensión nominal del transformador, AT</translation>
    </message>
    <message>
        <source>Transformer rated voltage, MV</source>
        <translation>Tensión nominal del transformador, MT</translation>
    </message>
    <message>
        <source>Transformer rated voltage, LV</source>
        <translation>Tensión nominal del transformador, BT</translation>
    </message>
    <message>
        <source>Transformer tap</source>
        <translation>Toma del transformador</translation>
    </message>
    <message>
        <source>Low-voltage bus</source>
        <translation>Barra de baja tensión</translation>
    </message>
    <message>
        <source>Transformer rating, MV winding</source>
        <translation>Potencia del transformador, devanado de MT</translation>
    </message>
    <message>
        <source>Transformer rating, LV winding</source>
        <translation>Potencia del transformador, devanado de BT</translation>
    </message>
    <message>
        <source>Transformer impedance, HV–LV</source>
        <translation>Impedancia del transformador, AT–BT</translation>
    </message>
    <message>
        <source>Transformer impedance, MV–LV</source>
        <translation>Impedancia del transformador, MT–BT</translation>
    </message>
    <message>
        <source>Transformer resistive voltage</source>
        <translation>Tensión resistiva del transformador</translation>
    </message>
    <message>
        <source>Transformer resistive voltage, HV–LV</source>
        <translation>Tensión resistiva del transformador, AT–BT</translation>
    </message>
    <message>
        <source>Transformer resistive voltage, MV–LV</source>
        <translation>Tensión resistiva del transformador, MT–BT</translation>
    </message>
    <message>
        <source>Generator rating</source>
        <translation>Potencia del generador</translation>
    </message>
    <message>
        <source>Generator rated voltage</source>
        <translation>Tensión nominal del generador</translation>
    </message>
    <message>
        <source>Generator subtransient reactance</source>
        <translation>Reactancia subtransitoria del generador</translation>
    </message>
    <message>
        <source>Generator X/R</source>
        <translation>X/R del generador</translation>
    </message>
    <message>
        <source>Generator power factor</source>
        <translation>Factor de potencia del generador</translation>
    </message>
    <message>
        <source>Generator in the minimum case</source>
        <translation>Generador en el caso mínimo</translation>
    </message>
    <message>
        <source>Generator voltage regulation range</source>
        <translation>Rango de regulación de tensión del generador</translation>
    </message>
    <message>
        <source>Unit transformer off-load tap</source>
        <translation>Toma sin carga del transformador del grupo</translation>
    </message>
    <message>
        <source>Main of the line side</source>
        <translation>Interruptor principal del lado de línea</translation>
    </message>
    <message>
        <source>Device interrupting rating</source>
        <translation>Capacidad de interrupción del dispositivo</translation>
    </message>
    <message>
        <source>Line side of the device</source>
        <translation>Lado de línea del dispositivo</translation>
    </message>
    <message>
        <source>Scenarios</source>
        <translation>Escenarios</translation>
    </message>
    <message>
        <source>Maintenance instantaneous pickup</source>
        <translation>Arranque instantáneo de mantenimiento</translation>
    </message>
    <message>
        <source>Maintenance instantaneous time</source>
        <translation>Tiempo instantáneo de mantenimiento</translation>
    </message>
    <message>
        <source>Arc-flash relay pickup</source>
        <translation>Arranque del relé de arco eléctrico</translation>
    </message>
    <message>
        <source>Arc-flash relay time</source>
        <translation>Tiempo del relé de arco eléctrico</translation>
    </message>
    <message>
        <source>Zone-selective interlocking</source>
        <translation>Enclavamiento selectivo de zona</translation>
    </message>
    <message>
        <source>Interlocked delay</source>
        <translation>Retardo con enclavamiento</translation>
    </message>
    <message>
        <source>Bus differential time</source>
        <translation>Tiempo del diferencial de barras</translation>
    </message>
    <message>
        <source>Device at</source>
        <translation>Dispositivo en</translation>
    </message>
    <message>
        <source>Maintenance scenario</source>
        <translation>Escenario de mantenimiento</translation>
    </message>
    <message>
        <source>Worst scenario</source>
        <translation>Peor escenario</translation>
    </message>
    <message>
        <source>Interrupting duty</source>
        <translation>Exigencia de interrupción</translation>
    </message>
    <message>
        <source>Arc steps</source>
        <translation>Pasos del arco</translation>
    </message>
    <message>
        <source>Generator resistance</source>
        <translation>Resistencia del generador</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>correcto</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>advertencia</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>full</source>
        <translation>completa</translation>
    </message>
    <message>
        <source>reduced</source>
        <translation>reducida</translation>
    </message>
    <message>
        <source>max</source>
        <translation>máx.</translation>
    </message>
    <message>
        <source>min</source>
        <translation>mín.</translation>
    </message>
    <message>
        <source>does not operate</source>
        <translation>no opera</translation>
    </message>
    <message>
        <source>instantaneous</source>
        <translation>instantáneo</translation>
    </message>
    <message>
        <source>short time</source>
        <translation>tiempo corto</translation>
    </message>
    <message>
        <source>long time</source>
        <translation>tiempo largo</translation>
    </message>
    <message>
        <source>inverse</source>
        <translation>inversa</translation>
    </message>
    <message>
        <source>definite time</source>
        <translation>tiempo definido</translation>
    </message>
    <message>
        <source>curve</source>
        <translation>curva</translation>
    </message>
    <message>
        <source>capped</source>
        <translation>limitada</translation>
    </message>
    <message>
        <source>Add feeder</source>
        <translation>Añadir alimentador</translation>
    </message>
    <message>
        <source>Add point on the bus</source>
        <translation>Añadir punto en la barra</translation>
    </message>
    <message>
        <source>DC source resistance</source>
        <translation>Resistencia de la fuente CC</translation>
    </message>
    <message>
        <source>DC enclosure</source>
        <translation>Envolvente CC</translation>
    </message>
    <message>
        <source>Arc voltage</source>
        <translation>Tensión del arco</translation>
    </message>
    <message>
        <source>Arc power</source>
        <translation>Potencia del arco</translation>
    </message>
    <message>
        <source>Worst over the range, arcing current</source>
        <translation>Peor en el rango, corriente de arco</translation>
    </message>
    <message>
        <source>Worst over the range, incident energy</source>
        <translation>Peor en el rango, energía incidente</translation>
    </message>
    <message>
        <source>Source short-circuit power</source>
        <translation>Potencia de cortocircuito de la fuente</translation>
    </message>
    <message>
        <source>Source short-circuit power, minimum</source>
        <translation>Potencia de cortocircuito de la fuente, mínima</translation>
    </message>
    <message>
        <source>Incident energy in each scenario</source>
        <translation>Energía incidente en cada escenario</translation>
    </message>
    <message>
        <source>Cable size</source>
        <translation>Calibre del cable</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TDcArcFlash</name>
    <message>
        <source>ZENTAVO: DC arc flash</source>
        <translation>ZENTAVO: arco eléctrico en CC</translation>
    </message>
    <message>
        <source>System and source</source>
        <translation>Sistema y fuente</translation>
    </message>
    <message>
        <source>Open air</source>
        <translation>Aire libre</translation>
    </message>
    <message>
        <source>Box, 3 × open air (NFPA 70E)</source>
        <translation>Caja, 3 × aire libre (NFPA 70E)</translation>
    </message>
    <message>
        <source>LV switchgear (Wilkins)</source>
        <translation>Tablero de BT (Wilkins)</translation>
    </message>
    <message>
        <source>MV switchgear (Wilkins)</source>
        <translation>Tablero de MT (Wilkins)</translation>
    </message>
    <message>
        <source>Panelboard (Wilkins)</source>
        <translation>Tablero de distribución (Wilkins)</translation>
    </message>
    <message>
        <source>Choose an enclosure</source>
        <translation>Elija una envolvente</translation>
    </message>
    <message>
        <source>empty: 2 s</source>
        <translation>vacío: 2 s</translation>
    </message>
    <message>
        <source>Enclosure:</source>
        <translation>Envolvente:</translation>
    </message>
    <message>
        <source>System voltage (V DC):</source>
        <translation>Tensión del sistema (V CC):</translation>
    </message>
    <message>
        <source>Bolted current (kA):</source>
        <translation>Corriente de falla franca (kA):</translation>
    </message>
    <message>
        <source>or source resistance (Ω):</source>
        <translation>o resistencia de la fuente (Ω):</translation>
    </message>
    <message>
        <source>Arc duration (sec):</source>
        <translation>Duración del arco (s):</translation>
    </message>
    <message>
        <source>&amp;Compute</source>
        <translation>&amp;Calcular</translation>
    </message>
    <message>
        <source>Calculation results</source>
        <translation>Resultados del cálculo</translation>
    </message>
    <message>
        <source>Maximum power</source>
        <translation>Potencia máxima</translation>
    </message>
    <message>
        <source>Arc resistance</source>
        <translation>Resistencia del arco</translation>
    </message>
    <message>
        <source>Arcing current (kA):</source>
        <translation>Corriente de arco (kA):</translation>
    </message>
    <message>
        <source>Arc voltage (V):</source>
        <translation>Tensión del arco (V):</translation>
    </message>
    <message>
        <source>Arc resistance (Ω):</source>
        <translation>Resistencia del arco (Ω):</translation>
    </message>
    <message>
        <source>Arc power (kW):</source>
        <translation>Potencia del arco (kW):</translation>
    </message>
    <message>
        <source>Enclosure factor:</source>
        <translation>Factor de envolvente:</translation>
    </message>
    <message>
        <source>Level of PPE:</source>
        <translation>Nivel de EPP:</translation>
    </message>
    <message>
        <source>Typical protective clothing system:</source>
        <translation>Ropa de protección típica:</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Duración del arco</translation>
    </message>
    <message>
        <source>Typed, or 2 s without a device</source>
        <translation>Escrita, o 2 s sin dispositivo</translation>
    </message>
    <message>
        <source>From a protective device</source>
        <translation>De un dispositivo de protección</translation>
    </message>
    <message>
        <source>Arc duration:</source>
        <translation>Duración del arco:</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Save results</source>
        <translation>&amp;Guardar resultados</translation>
    </message>
    <message>
        <source>Create &amp;label</source>
        <translation>Crear &amp;etiqueta</translation>
    </message>
    <message>
        <source>Method on the label:</source>
        <translation>Método en la etiqueta:</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>does not operate</source>
        <translation>no opera</translation>
    </message>
    <message>
        <source>instantaneous</source>
        <translation>instantáneo</translation>
    </message>
    <message>
        <source>short time</source>
        <translation>tiempo corto</translation>
    </message>
    <message>
        <source>long time</source>
        <translation>tiempo largo</translation>
    </message>
    <message>
        <source>inverse</source>
        <translation>inversa</translation>
    </message>
    <message>
        <source>definite time</source>
        <translation>tiempo definido</translation>
    </message>
    <message>
        <source>curve</source>
        <translation>curva</translation>
    </message>
    <message>
        <source>capped</source>
        <translation>limitada</translation>
    </message>
    <message>
        <source>arc-flash relay</source>
        <translation>relé de arco eléctrico</translation>
    </message>
    <message>
        <source>zone-selective interlocking</source>
        <translation>enclavamiento selectivo de zona</translation>
    </message>
    <message>
        <source>bus differential</source>
        <translation>diferencial de barras</translation>
    </message>
    <message>
        <source>%1 (assumed)</source>
        <translation>%1 (supuesta)</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Iarc, maximum power</source>
        <translation>Iarc, potencia máxima</translation>
    </message>
    <message>
        <source>Iarc, arc resistance</source>
        <translation>Iarc, resistencia del arco</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notas</translation>
    </message>
    <message>
        <source>The device&apos;s time-current curve, with both arcing currents marked, once the point is computed</source>
        <translation>La curva tiempo-corriente del dispositivo, con ambas corrientes de arco marcadas, una vez calculado el punto</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TFormLabelType</name>
    <message>
        <source>Options: Label</source>
        <translation>Opciones: etiqueta</translation>
    </message>
    <message>
        <source>Label type</source>
        <translation>Tipo de etiqueta</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Black and white</source>
        <translation>Blanco y negro</translation>
    </message>
    <message>
        <source>Label language</source>
        <translation>Idioma de la etiqueta</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Label content</source>
        <translation>Contenido de la etiqueta</translation>
    </message>
    <message>
        <source>Rows of the label</source>
        <translation>Filas de la etiqueta</translation>
    </message>
    <message>
        <source>Enter your line here </source>
        <translation>Escriba aquí su línea </translation>
    </message>
    <message>
        <source>&amp;Add line..</source>
        <translation>&amp;Añadir…</translation>
    </message>
    <message>
        <source>&amp;Delete this line</source>
        <translation>&amp;Eliminar esta línea</translation>
    </message>
    <message>
        <source>&amp;Save and exit</source>
        <translation>&amp;Guardar y salir</translation>
    </message>
    <message>
        <source>You can not add more lines. Please remove at least one from those you have already added by selecting and right clicking on it.</source>
        <translation>No se pueden añadir más líneas. Elimine al menos una de las que ya añadió: selecciónela y haga clic derecho sobre ella.</translation>
    </message>
    <message>
        <source>This line can not be deleted.</source>
        <translation>Esta línea no se puede eliminar.</translation>
    </message>
    <message>
        <source>Label standard</source>
        <translation>Norma de la etiqueta</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Clásica</translation>
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
        <translation>6 × 4 pulg.</translation>
    </message>
    <message>
        <source>4 × 4 in</source>
        <translation>4 × 4 pulg.</translation>
    </message>
    <message>
        <source>5 × 3.5 in</source>
        <translation>5 × 3,5 pulg.</translation>
    </message>
    <message>
        <source>Label size</source>
        <translation>Tamaño de la etiqueta</translation>
    </message>
    <message>
        <source>DANGER above 600 V as well</source>
        <translation>PELIGRO también por encima de 600 V</translation>
    </message>
    <message>
        <source>Assessment date</source>
        <translation>Fecha de la evaluación</translation>
    </message>
    <message>
        <source>Español</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Français</source>
        <translation>Francés</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TFormUnits</name>
    <message>
        <source>Options: Units</source>
        <translation>Opciones: unidades</translation>
    </message>
    <message>
        <source>Input units</source>
        <translation>Unidades de entrada</translation>
    </message>
    <message>
        <source>Gap between conductors</source>
        <translation>Separación</translation>
    </message>
    <message>
        <source>Working distance</source>
        <translation>Distancia de trabajo</translation>
    </message>
    <message>
        <source>Output units</source>
        <translation>Unidades de salida</translation>
    </message>
    <message>
        <source>Protection boundaries</source>
        <translation>Fronteras</translation>
    </message>
    <message>
        <source>Incident Energy</source>
        <translation>Energía incidente</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>Presión</translation>
    </message>
    <message>
        <source>TNT Equivalent</source>
        <translation>Equivalente TNT</translation>
    </message>
    <message>
        <source>&amp;Ignore and close</source>
        <translation>&amp;Ignorar y cerrar</translation>
    </message>
    <message>
        <source>&amp;Save and close</source>
        <translation>&amp;Guardar y cerrar</translation>
    </message>
    <message>
        <source>“%1” is not a unit for %2. Choose one of: %3.</source>
        <translation>“%1” no es una unidad para %2. Elija una de: %3.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TFormedit</name>
    <message>
        <source>This file is in Windows-1252, which cannot hold these characters: %1
Do you wish to save it in UTF-8 instead? (No saves nothing.)</source>
        <translation>Este archivo está en Windows-1252, que no admite estos caracteres: %1
¿Desea guardarlo en UTF-8? (No no guarda nada.)</translation>
    </message>
    <message>
        <source>Browser/Editor</source>
        <translation>Visor/Editor</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>&amp;Guardar como…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>Text of the file</source>
        <translation>Texto del archivo</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>text files (*.txt)</source>
        <translation>archivos de texto (*.txt)</translation>
    </message>
    <message>
        <source>Save file as</source>
        <translation>Guardar archivo como</translation>
    </message>
    <message>
        <source>text fles (*.txt);;Zentavo files (*.ztv)</source>
        <translation>archivos de texto (*.txt);;archivos de Zentavo (*.ztv)</translation>
    </message>
    <message>
        <source>Do you wish to save changes?</source>
        <translation>¿Desea guardar los cambios?</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TIeee2018</name>
    <message>
        <source>ZENTAVO: IEEE 1584-2018 model</source>
        <translation>ZENTAVO: modelo IEEE 1584-2018</translation>
    </message>
    <message>
        <source>System and equipment</source>
        <translation>Sistema y equipo</translation>
    </message>
    <message>
        <source>Choose an equipment type</source>
        <translation>Elija un tipo de equipo</translation>
    </message>
    <message>
        <source>VCB — vertical conductors in a metal box</source>
        <translation>VCB — conductores verticales en caja metálica</translation>
    </message>
    <message>
        <source>VCBB — vertical conductors terminated in an insulating barrier inside a metal box</source>
        <translation>VCBB — conductores verticales terminados en una barrera aislante dentro de una caja metálica</translation>
    </message>
    <message>
        <source>HCB — horizontal conductors in a metal box</source>
        <translation>HCB — conductores horizontales en caja metálica</translation>
    </message>
    <message>
        <source>VOA — vertical conductors in open air</source>
        <translation>VOA — conductores verticales al aire libre</translation>
    </message>
    <message>
        <source>HOA — horizontal conductors in open air</source>
        <translation>HOA — conductores horizontales al aire libre</translation>
    </message>
    <message>
        <source>Choose a configuration</source>
        <translation>Elija una configuración</translation>
    </message>
    <message>
        <source>Equipment type:</source>
        <translation>Tipo de equipo:</translation>
    </message>
    <message>
        <source>Electrode configuration:</source>
        <translation>Configuración de electrodos:</translation>
    </message>
    <message>
        <source>System voltage (V):</source>
        <translation>Tensión del sistema (V):</translation>
    </message>
    <message>
        <source>Available 3Ph bolted current (kA):</source>
        <translation>Corriente de falla franca 3F (kA):</translation>
    </message>
    <message>
        <source>Arc duration at the arcing current (sec):</source>
        <translation>Duración del arco con la corriente de arco (s):</translation>
    </message>
    <message>
        <source>Arc duration at the reduced arcing current (sec):</source>
        <translation>Duración del arco con la corriente de arco reducida (s):</translation>
    </message>
    <message>
        <source>&amp;Compute</source>
        <translation>&amp;Calcular</translation>
    </message>
    <message>
        <source>Calculation results</source>
        <translation>Resultados del cálculo</translation>
    </message>
    <message>
        <source>Arcing current</source>
        <translation>Corriente de arco</translation>
    </message>
    <message>
        <source>Reduced arcing current</source>
        <translation>Corriente de arco reducida</translation>
    </message>
    <message>
        <source>Arcing current (kA):</source>
        <translation>Corriente de arco (kA):</translation>
    </message>
    <message>
        <source>Level of PPE:</source>
        <translation>Nivel de EPP:</translation>
    </message>
    <message>
        <source>Typical protective clothing system:</source>
        <translation>Ropa de protección típica:</translation>
    </message>
    <message>
        <source>Governing case:</source>
        <translation>Caso determinante:</translation>
    </message>
    <message>
        <source>Enclosure type:</source>
        <translation>Tipo de envolvente:</translation>
    </message>
    <message>
        <source>Enclosure size correction factor:</source>
        <translation>Factor de corrección por tamaño de envolvente:</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Save results</source>
        <translation>&amp;Guardar resultados</translation>
    </message>
    <message>
        <source>Create &amp;label</source>
        <translation>Crear &amp;etiqueta</translation>
    </message>
    <message>
        <source>reduced arcing current</source>
        <translation>corriente de arco reducida</translation>
    </message>
    <message>
        <source>arcing current</source>
        <translation>corriente de arco</translation>
    </message>
    <message>
        <source>does not operate</source>
        <translation>no opera</translation>
    </message>
    <message>
        <source>instantaneous</source>
        <translation>instantáneo</translation>
    </message>
    <message>
        <source>short time</source>
        <translation>tiempo corto</translation>
    </message>
    <message>
        <source>long time</source>
        <translation>tiempo largo</translation>
    </message>
    <message>
        <source>inverse</source>
        <translation>inversa</translation>
    </message>
    <message>
        <source>definite time</source>
        <translation>tiempo definido</translation>
    </message>
    <message>
        <source>curve</source>
        <translation>curva</translation>
    </message>
    <message>
        <source>capped</source>
        <translation>limitada</translation>
    </message>
    <message>
        <source>arc-flash relay</source>
        <translation>relé de arco eléctrico</translation>
    </message>
    <message>
        <source>zone-selective interlocking</source>
        <translation>enclavamiento selectivo de zona</translation>
    </message>
    <message>
        <source>bus differential</source>
        <translation>diferencial de barras</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Duración del arco</translation>
    </message>
    <message>
        <source>Typed at each arcing current</source>
        <translation>Escrita para cada corriente de arco</translation>
    </message>
    <message>
        <source>From a protective device</source>
        <translation>De un dispositivo de protección</translation>
    </message>
    <message>
        <source>Arc duration:</source>
        <translation>Duración del arco:</translation>
    </message>
    <message>
        <source>At the arcing current:</source>
        <translation>Con la corriente de arco:</translation>
    </message>
    <message>
        <source>At the reduced arcing current:</source>
        <translation>Con la corriente de arco reducida:</translation>
    </message>
    <message>
        <source>%1 s — %2</source>
        <translation>%1 s — %2</translation>
    </message>
    <message>
        <source> (the device acts in %1 s)</source>
        <translation> (el dispositivo actúa en %1 s)</translation>
    </message>
    <message>
        <source> (the device does not operate)</source>
        <translation> (el dispositivo no opera)</translation>
    </message>
    <message>
        <source>Iarc</source>
        <translation>Iarc</translation>
    </message>
    <message>
        <source>Iarc,min</source>
        <translation>Iarc,mín</translation>
    </message>
    <message>
        <source>VCB — vertical, in a metal box</source>
        <translation>VCB — verticales, en caja metálica</translation>
    </message>
    <message>
        <source>VCBB — vertical, barrier, metal box</source>
        <translation>VCBB — verticales, barrera, caja metálica</translation>
    </message>
    <message>
        <source>HCB — horizontal, in a metal box</source>
        <translation>HCB — horizontales, en caja metálica</translation>
    </message>
    <message>
        <source>VOA — vertical, in open air</source>
        <translation>VOA — verticales, al aire libre</translation>
    </message>
    <message>
        <source>HOA — horizontal, in open air</source>
        <translation>HOA — horizontales, al aire libre</translation>
    </message>
    <message>
        <source>The device&apos;s time-current curve, with both arcing currents marked, once the point is computed</source>
        <translation>La curva tiempo-corriente del dispositivo, con ambas corrientes de arco marcadas, una vez calculado el punto</translation>
    </message>
    <message>
        <source>exposure limited to %1 s</source>
        <translation>exposición limitada a %1 s</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TNetworkView</name>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>&amp;Buses</source>
        <translation>&amp;Barras</translation>
    </message>
    <message>
        <source>Buses and their fault currents</source>
        <translation>Barras y sus corrientes de falla</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>Barra</translation>
    </message>
    <message>
        <source>Voltage (V)</source>
        <translation>Tensión (V)</translation>
    </message>
    <message>
        <source>I max (kA)</source>
        <translation>I máx (kA)</translation>
    </message>
    <message>
        <source>I min (kA)</source>
        <translation>I mín (kA)</translation>
    </message>
    <message>
        <source>X/R</source>
        <translation>X/R</translation>
    </message>
    <message>
        <source>&amp;Tree from the sources</source>
        <translation>Á&amp;rbol desde las fuentes</translation>
    </message>
    <message>
        <source>The network as a tree</source>
        <translation>La red como árbol</translation>
    </message>
    <message>
        <source>Fed by</source>
        <translation>Alimentada por</translation>
    </message>
    <message>
        <source>The study has no network: no row names a bus.</source>
        <translation>El estudio no tiene red: ninguna fila nombra una barra.</translation>
    </message>
    <message numerus="yes">
        <source>%n buses; fault currents by the %1 convention.</source>
        <translation>
            <numerusform>%n barra; corrientes de falla según la convención %1.</numerusform>
            <numerusform>%n barras; corrientes de falla según la convención %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>no fault current</source>
        <translation>sin corriente de falla</translation>
    </message>
    <message>
        <source>transformer from %1, row %2</source>
        <translation>transformador desde %1, fila %2</translation>
    </message>
    <message>
        <source>cable from %1, row %2</source>
        <translation>cable desde %1, fila %2</translation>
    </message>
    <message>
        <source>source</source>
        <translation>fuente</translation>
    </message>
    <message>
        <source>three-winding transformer from %1, row %2</source>
        <translation>transformador de tres devanados desde %1, fila %2</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TPreview</name>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Atrás</translation>
    </message>
    <message>
        <source>Save Bit&amp;map</source>
        <translation>Grabar &amp;BMP</translation>
    </message>
    <message>
        <source>Save &amp;JPEG</source>
        <translation>Grabar &amp;JPEG</translation>
    </message>
    <message>
        <source>Save P&amp;DF</source>
        <translation>Grabar P&amp;DF</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimir</translation>
    </message>
    <message>
        <source>Equipment name (30 symbols max)</source>
        <translation>Nombre del equipo (30 caracteres máx.)</translation>
    </message>
    <message>
        <source>User lines contents (add your lines using Options menu to enable this fields )</source>
        <translation>Líneas propias (añádalas en el menú Opciones para activar estos campos)</translation>
    </message>
    <message>
        <source>Title (left side)</source>
        <translation>Título (izquierda)</translation>
    </message>
    <message>
        <source>Value (right side)</source>
        <translation>Valor (derecha)</translation>
    </message>
    <message>
        <source>Additional line 1</source>
        <translation>Línea adicional 1</translation>
    </message>
    <message>
        <source>Additional line 2</source>
        <translation>Línea adicional 2</translation>
    </message>
    <message>
        <source>Additional line 1, title</source>
        <translation>Línea adicional 1, título</translation>
    </message>
    <message>
        <source>Additional line 1, value</source>
        <translation>Línea adicional 1, valor</translation>
    </message>
    <message>
        <source>Additional line 2, title</source>
        <translation>Línea adicional 2, título</translation>
    </message>
    <message>
        <source>Additional line 2, value</source>
        <translation>Línea adicional 2, valor</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Equipment Name too long</source>
        <translation>Nombre del equipo demasiado largo</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Guardar PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Arc flash warning label</source>
        <translation>Etiqueta de advertencia de arco eléctrico</translation>
    </message>
    <message>
        <source>Save Bitmap</source>
        <translation>Guardar mapa de bits</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <translation>Mapas de bits (*.bmp)</translation>
    </message>
    <message>
        <source>Save JPEG</source>
        <translation>Guardar JPEG</translation>
    </message>
    <message>
        <source>JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)</source>
        <translation>Imagen JPEG (*.jpg);;Imagen JPEG (*.jpeg)</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TRowForm</name>
    <message>
        <source>IEEE 1584-2002, empirical model</source>
        <translation>IEEE 1584-2002, modelo empírico</translation>
    </message>
    <message>
        <source>IEEE 1584-2002, current-limiting fuse</source>
        <translation>IEEE 1584-2002, fusible limitador de corriente</translation>
    </message>
    <message>
        <source>IEEE 1584-2002, low-voltage breaker</source>
        <translation>IEEE 1584-2002, interruptor de baja tensión</translation>
    </message>
    <message>
        <source>IEEE 1584-2018 model</source>
        <translation>Modelo IEEE 1584-2018</translation>
    </message>
    <message>
        <source>Transformer</source>
        <translation>Transformador</translation>
    </message>
    <message>
        <source>Three-winding transformer</source>
        <translation>Transformador de tres devanados</translation>
    </message>
    <message>
        <source>Cable or tie</source>
        <translation>Cable o enlace</translation>
    </message>
    <message>
        <source>Generator</source>
        <translation>Generador</translation>
    </message>
    <message>
        <source>Power-station unit</source>
        <translation>Grupo de central</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>sí</translation>
    </message>
    <message>
        <source>at the row&apos;s bus</source>
        <translation>en la barra de la fila</translation>
    </message>
    <message>
        <source>at the from bus</source>
        <translation>en la barra de origen</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>none: durations typed</source>
        <translation>ninguno: duraciones escritas</translation>
    </message>
    <message>
        <source>not chosen</source>
        <translation>sin elegir</translation>
    </message>
    <message>
        <source>208 V to 46 kV; IEEE 1584-2018: 208 V to 15 kV; breakers: 208 to 690 V</source>
        <translation>de 208 V a 46 kV; IEEE 1584-2018: de 208 V a 15 kV; interruptores: de 208 a 690 V</translation>
    </message>
    <message>
        <source>0.7 to 106 kA; IEEE 1584-2018: 0.5 to 106 kA up to 600 V, 0.2 to 65 kA above</source>
        <translation>de 0,7 a 106 kA; IEEE 1584-2018: de 0,5 a 106 kA hasta 600 V, de 0,2 a 65 kA por encima</translation>
    </message>
    <message>
        <source>13 mm or more; IEEE 1584-2018: 6.35 to 76.2 mm up to 600 V, 19.05 to 254 mm above</source>
        <translation>13 mm o más; IEEE 1584-2018: de 6,35 a 76,2 mm hasta 600 V, de 19,05 a 254 mm por encima</translation>
    </message>
    <message>
        <source>300 to 2000 mm; IEEE 1584-2018: 305 mm or more</source>
        <translation>de 300 a 2000 mm; IEEE 1584-2018: 305 mm o más</translation>
    </message>
    <message>
        <source>0.001 to 2 s; IEEE 1584-2018: 0.001 s or more</source>
        <translation>de 0,001 a 2 s; IEEE 1584-2018: 0,001 s o más</translation>
    </message>
    <message>
        <source>above 0</source>
        <translation>mayor que 0</translation>
    </message>
    <message>
        <source>above 0; empty: none</source>
        <translation>mayor que 0; vacío: ninguno</translation>
    </message>
    <message>
        <source>0 or above</source>
        <translation>0 o más</translation>
    </message>
    <message>
        <source>0.001 s or more</source>
        <translation>0,001 s o más</translation>
    </message>
    <message>
        <source>above 0 and at most 1; empty: 1</source>
        <translation>mayor que 0 y como máximo 1; vacío: 1</translation>
    </message>
    <message>
        <source>0.001 s or more, or none; empty: 2 s</source>
        <translation>0,001 s o más, o ninguna; vacío: 2 s</translation>
    </message>
    <message>
        <source>1 to 1000; empty: 1</source>
        <translation>de 1 a 1000; vacío: 1</translation>
    </message>
    <message>
        <source>Choose a row of the table to see it here as a form.</source>
        <translation>Elija una fila de la tabla para verla aquí como formulario.</translation>
    </message>
    <message>
        <source>Point:</source>
        <translation>Punto:</translation>
    </message>
    <message>
        <source>Point of work</source>
        <translation>Punto de trabajo</translation>
    </message>
    <message>
        <source>Arc duration and protective device</source>
        <translation>Duración del arco y dispositivo de protección</translation>
    </message>
    <message>
        <source>Where it sits in the network</source>
        <translation>Su lugar en la red</translation>
    </message>
    <message>
        <source>Typical values of an equipment type</source>
        <translation>Valores típicos de un tipo de equipo</translation>
    </message>
    <message>
        <source>Equipment type:</source>
        <translation>Tipo de equipo:</translation>
    </message>
    <message>
        <source>Fills the electrode configuration, gap, enclosure and working distance with the typical values of the IEEE 1584-2018 model</source>
        <translation>Rellena la configuración de electrodos, la separación, la envolvente y la distancia de trabajo con los valores típicos del modelo IEEE 1584-2018</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>%1 to %2 %3</source>
        <translation>de %1 a %2 %3</translation>
    </message>
    <message>
        <source>0 for a closed tie, or %1</source>
        <translation>0 para un enlace cerrado, o %1</translation>
    </message>
    <message>
        <source>Typical values of %1</source>
        <translation>Valores típicos de %1</translation>
    </message>
    <message>
        <source>Source (the supply)</source>
        <translation>Fuente (el suministro)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>DC, maximum power (NFPA 70E D.5)</source>
        <translation>CC, potencia máxima (NFPA 70E D.5)</translation>
    </message>
    <message>
        <source>DC, arc resistance (NFPA 70E D.5)</source>
        <translation>CC, resistencia del arco (NFPA 70E D.5)</translation>
    </message>
    <message>
        <source>This row does not take this value, which refuses it: empty the field.</source>
        <translation>Esta fila no admite este valor, que la hace rechazar: vacíe el campo.</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Editar %1</translation>
    </message>
    <message>
        <source>Emptied what the row no longer takes: %1. Undo brings it back.</source>
        <translation>Se vació lo que la fila ya no admite: %1. Deshacer lo devuelve.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TSecond</name>
    <message>
        <source>ZENTAVO: intermediate results</source>
        <translation>ZENTAVO: resultados intermedios</translation>
    </message>
    <message>
        <source>Equipment Class</source>
        <translation>Clase de equipo</translation>
    </message>
    <message>
        <source>Please select a class</source>
        <translation>Elija una clase</translation>
    </message>
    <message>
        <source>Gap between Conductors</source>
        <translation>Separación entre conductores</translation>
    </message>
    <message>
        <source>millimeters</source>
        <translation>milímetros</translation>
    </message>
    <message>
        <source>Grounding type</source>
        <translation>Tipo de puesta a tierra</translation>
    </message>
    <message>
        <source>Working Distance</source>
        <translation>Distancia de trabajo</translation>
    </message>
    <message>
        <source>Available 3 Phase Bolted Current</source>
        <translation>Corriente de falla franca 3F</translation>
    </message>
    <message>
        <source>kAmperes</source>
        <translation>kAmperios</translation>
    </message>
    <message>
        <source>System Voltage</source>
        <translation>Tensión del sistema</translation>
    </message>
    <message>
        <source>Line to line voltage - minimum 208 V, maximum 15000 V</source>
        <translation>Tensión entre fases: mínimo 208 V, máximo 15000 V</translation>
    </message>
    <message>
        <source>Volts</source>
        <translation>Voltios</translation>
    </message>
    <message>
        <source>Predicted 3 Phase Arcing Current</source>
        <translation>Corriente de arco 3F prevista</translation>
    </message>
    <message>
        <source>Arcing Current Reduced by 15%</source>
        <translation>Corriente de arco reducida 15 %</translation>
    </message>
    <message>
        <source>Arc duration</source>
        <translation>Duración del arco</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Segundos</translation>
    </message>
    <message>
        <source>Arc duration (Reduced Current)</source>
        <translation>Duración (corriente reducida)</translation>
    </message>
    <message>
        <source>Show &amp;Pressure Developed by Arc</source>
        <translation>Mostrar &amp;presión del arco</translation>
    </message>
    <message>
        <source>Show &amp;TNT Equivalent of Arc Blast</source>
        <translation>Mostrar equivalente &amp;TNT</translation>
    </message>
    <message>
        <source>NOTE: Pressure and TNT calculations are not included in IEEE 1584</source>
        <translation>NOTA: los cálculos de presión y TNT no forman parte de IEEE 1584</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>Equipment bus gap in mm. Gaps of 3 to 40 mm were used for low voltage testing to simulate gaps between conductors in low voltage equipment and cables. Gaps 13, 104 and 152 mm. were used in 5 and 15kV equipment testings. </source>
        <translation>Separación entre barras del equipo en mm. En los ensayos de baja tensión se usaron separaciones de 3 a 40 mm para simular las separaciones entre conductores de equipos y cables de baja tensión. En los ensayos de equipos de 5 y 15 kV se usaron separaciones de 13, 104 y 152 mm. </translation>
    </message>
    <message>
        <source>Typical working distance is the sum of the distance between the worker standing in front of the equipment, and from the front of the equipment to the potential arc source inside the equipment. </source>
        <translation>La distancia de trabajo típica es la suma de la distancia entre el trabajador de pie frente al equipo y la distancia desde el frente del equipo hasta la posible fuente del arco en su interior. </translation>
    </message>
    <message>
        <source>Available 3 phase bolted fault current for the range of 700A to 106kA at the point where work is to be performed in kA. </source>
        <translation>Corriente de falla franca trifásica disponible, de 700 A a 106 kA, en el punto donde se realizará el trabajo, en kA. </translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TStudy</name>
    <message>
        <source>%1, opens after %2 s</source>
        <translation>%1, abre tras %2 s</translation>
    </message>
    <message>
        <source> (arc-flash relay)</source>
        <translation> (relé de arco eléctrico)</translation>
    </message>
    <message>
        <source> (zone-selective interlocking)</source>
        <translation> (enclavamiento selectivo de zona)</translation>
    </message>
    <message>
        <source>Arc cleared in %1 steps:</source>
        <translation>Arco despejado en %1 pasos:</translation>
    </message>
    <message>
        <source>the device of %1 opened</source>
        <translation>abrió el dispositivo de %1</translation>
    </message>
    <message>
        <source>the motors&apos; contribution ended</source>
        <translation>terminó el aporte de los motores</translation>
    </message>
    <message>
        <source>the maximum arc duration</source>
        <translation>la duración máxima del arco</translation>
    </message>
    <message>
        <source>the arc duration typed</source>
        <translation>la duración del arco escrita</translation>
    </message>
    <message>
        <source>no source left but motors</source>
        <translation>no queda fuente salvo motores</translation>
    </message>
    <message>
        <source>; the motors&apos; contribution ended</source>
        <translation>; terminó el aporte de los motores</translation>
    </message>
    <message>
        <source>%1. %2 kA bolted, %3 kA arcing, for %4 s: %5</source>
        <translation>%1. %2 kA franca, %3 kA de arco, durante %4 s: %5</translation>
    </message>
    <message>
        <source>Worst scenario: %1 (%2)</source>
        <translation>Peor escenario: %1 (%2)</translation>
    </message>
    <message>
        <source>studies (*.csv)</source>
        <translation>estudios (*.csv)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Fil&amp;ter:</source>
        <translation>Fil&amp;tro:</translation>
    </message>
    <message>
        <source>Text to look for</source>
        <translation>Texto que buscar</translation>
    </message>
    <message>
        <source>Filter in</source>
        <translation>Filtrar en</translation>
    </message>
    <message>
        <source>in all columns</source>
        <translation>en todas las columnas</translation>
    </message>
    <message>
        <source>Points of the study</source>
        <translation>Puntos del estudio</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;New study</source>
        <translation>&amp;Nuevo estudio</translation>
    </message>
    <message>
        <source>&amp;Open study…</source>
        <translation>&amp;Abrir estudio…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Save &amp;as…</source>
        <translation>Guardar &amp;como…</translation>
    </message>
    <message>
        <source>&amp;Export results…</source>
        <translation>&amp;Exportar resultados…</translation>
    </message>
    <message>
        <source>&amp;Labels…</source>
        <translation>Eti&amp;quetas…</translation>
    </message>
    <message>
        <source>&amp;Report…</source>
        <translation>&amp;Informe…</translation>
    </message>
    <message>
        <source>&amp;Print report…</source>
        <translation>Im&amp;primir informe…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Ce&amp;rrar</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rehacer</translation>
    </message>
    <message>
        <source>&amp;Add row</source>
        <translation>&amp;Añadir fila</translation>
    </message>
    <message>
        <source>Dupl&amp;icate rows</source>
        <translation>D&amp;uplicar filas</translation>
    </message>
    <message>
        <source>&amp;Delete rows</source>
        <translation>&amp;Eliminar filas</translation>
    </message>
    <message>
        <source>&amp;Copy rows</source>
        <translation>&amp;Copiar filas</translation>
    </message>
    <message>
        <source>&amp;Paste rows</source>
        <translation>&amp;Pegar filas</translation>
    </message>
    <message>
        <source>New study</source>
        <translation>Nuevo estudio</translation>
    </message>
    <message>
        <source>%1[*] - Zentavo study</source>
        <translation>%1[*] - Estudio de Zentavo</translation>
    </message>
    <message>
        <source>in %1</source>
        <translation>en %1</translation>
    </message>
    <message>
        <source>%1 points: %2 computed, %3 refused</source>
        <translation>%1 puntos: %2 calculados, %3 rechazados</translation>
    </message>
    <message>
        <source>Save study as</source>
        <translation>Guardar estudio como</translation>
    </message>
    <message>
        <source>Export results to</source>
        <translation>Exportar resultados a</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>No point of the study is computed: there are no labels to write.</source>
        <translation>Ningún punto del estudio está calculado: no hay etiquetas que escribir.</translation>
    </message>
    <message>
        <source>Save labels as</source>
        <translation>Guardar etiquetas como</translation>
    </message>
    <message>
        <source>Writing the labels of %1 points…</source>
        <translation>Escribiendo las etiquetas de %1 puntos…</translation>
    </message>
    <message numerus="yes">
        <source>
and %n more label(s) with a cut name</source>
        <translation>
            <numerusform>
y %n etiqueta(s) más con el nombre cortado</numerusform>
            <numerusform>
y %n etiqueta(s) más con el nombre cortado</numerusform>
        </translation>
    </message>
    <message>
        <source>These equipment names are longer than 30 characters; their labels show the first 30:%1</source>
        <translation>Estos nombres de equipo tienen más de 30 caracteres; sus etiquetas muestran los 30 primeros:%1</translation>
    </message>
    <message>
        <source>None of the chosen points is computed: there are no labels to write.</source>
        <translation>Ninguno de los puntos elegidos está calculado: no hay etiquetas que escribir.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Save report as</source>
        <translation>Guardar informe como</translation>
    </message>
    <message>
        <source>Writing the report of %1 points…</source>
        <translation>Escribiendo el informe de %1 puntos…</translation>
    </message>
    <message>
        <source>Printing the report of %1 points…</source>
        <translation>Imprimiendo el informe de %1 puntos…</translation>
    </message>
    <message>
        <source>The study &quot;%1&quot; has changes that are not saved. Save them?</source>
        <translation>El estudio &quot;%1&quot; tiene cambios sin guardar. ¿Guardarlos?</translation>
    </message>
    <message>
        <source>Open study</source>
        <translation>Abrir estudio</translation>
    </message>
    <message>
        <source>Load &amp;device curves…</source>
        <translation>Cargar curvas de &amp;dispositivos…</translation>
    </message>
    <message>
        <source>Load device curves</source>
        <translation>Cargar curvas de dispositivos</translation>
    </message>
    <message>
        <source>device curves (*.csv)</source>
        <translation>curvas de dispositivos (*.csv)</translation>
    </message>
    <message>
        <source>&amp;Short circuit:</source>
        <translation>&amp;Cortocircuito:</translation>
    </message>
    <message>
        <source>The convention of the bolted fault currents a network computes</source>
        <translation>La convención de las corrientes de falla franca que calcula una red</translation>
    </message>
    <message>
        <source>&amp;Network</source>
        <translation>&amp;Red</translation>
    </message>
    <message>
        <source>&amp;Buses and tree…</source>
        <translation>&amp;Barras y árbol…</translation>
    </message>
    <message>
        <source>Time-current curve</source>
        <translation>Curva tiempo-corriente</translation>
    </message>
    <message>
        <source>Time-current curve of the current point</source>
        <translation>Curva tiempo-corriente del punto actual</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Time-current &amp;curve</source>
        <translation>Curva &amp;tiempo-corriente</translation>
    </message>
    <message>
        <source>Select a point to see the time-current curve of its protective device.</source>
        <translation>Seleccione un punto para ver la curva tiempo-corriente de su dispositivo de protección.</translation>
    </message>
    <message>
        <source>This point has no protective device: its arc durations are typed or come from its method&apos;s equations.</source>
        <translation>Este punto no tiene dispositivo de protección: sus duraciones del arco se escriben o salen de las ecuaciones de su método.</translation>
    </message>
    <message>
        <source>This point is refused, so its device has no curve to show: %1</source>
        <translation>Este punto está rechazado, así que su dispositivo no tiene curva que mostrar: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n of the rows to duplicate define a branch, source or motor of the network (%1). Copy it too, as a parallel one that changes the currents downstream, or only the point, on the same bus with its branch columns left empty?</source>
        <translation>
            <numerusform>%n de las filas que se duplican define una rama, fuente o motor de la red (%1). ¿Copiarlo también, como uno en paralelo que cambia las corrientes aguas abajo, o solo el punto, en la misma barra y con sus columnas de rama vacías?</numerusform>
            <numerusform>%n de las filas que se duplican definen una rama, fuente o motor de la red (%1). ¿Copiarlos también, como otros en paralelo que cambian las corrientes aguas abajo, o solo los puntos, en las mismas barras y con sus columnas de rama vacías?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Duplicated %n row(s); the branches, sources and motors they define were copied as parallel ones.</source>
        <translation>
            <numerusform>%n fila duplicada; la rama, fuente o motor que define se copió en paralelo.</numerusform>
            <numerusform>%n filas duplicadas; las ramas, fuentes y motores que definen se copiaron en paralelo.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Duplicated %n row(s); the copies are points on the same buses, their branch columns left empty.</source>
        <translation>
            <numerusform>%n fila duplicada; la copia es un punto en la misma barra, con sus columnas de rama vacías.</numerusform>
            <numerusform>%n filas duplicadas; las copias son puntos en las mismas barras, con sus columnas de rama vacías.</numerusform>
        </translation>
    </message>
    <message>
        <source>These equipment names do not fit on two lines; their labels end them with “…”:%1</source>
        <translation>Estos nombres de equipo no caben en dos líneas; sus etiquetas los terminan con «…»:%1</translation>
    </message>
    <message>
        <source>Low-voltage tolerance</source>
        <translation>Tolerancia de baja tensión</translation>
    </message>
    <message>
        <source>The voltage tolerance of the low-voltage systems by IEC 60909: +6 % gives c max 1.05, +10 % gives 1.10</source>
        <translation>La tolerancia de tensión de los sistemas de baja tensión según IEC 60909: +6 % da c max 1,05; +10 % da 1,10</translation>
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
        <translation>Cab&amp;les a:</translation>
    </message>
    <message>
        <source>Arcs in ste&amp;ps</source>
        <translation>Arco en &amp;pasos</translation>
    </message>
    <message>
        <source>&amp;Motors:</source>
        <translation>&amp;Motores:</translation>
    </message>
    <message>
        <source> cycles</source>
        <translation> ciclos</translation>
    </message>
    <message>
        <source>to the last source</source>
        <translation>hasta la última fuente</translation>
    </message>
    <message>
        <source>Each point&apos;s arc cleared in steps as the network&apos;s devices open one after another; off: in one step at the point&apos;s own device&apos;s time</source>
        <translation>El arco de cada punto despejado por pasos, a medida que se abren los dispositivos de la red; sin marcar: en un solo paso, en el tiempo del dispositivo del punto</translation>
    </message>
    <message>
        <source>The cycles (of 60 Hz) after which the motors stop feeding an arc in steps</source>
        <translation>Los ciclos (de 60 Hz) tras los cuales los motores dejan de alimentar un arco por pasos</translation>
    </message>
    <message>
        <source>Worst over the ran&amp;ge</source>
        <translation>Peor en el ran&amp;go</translation>
    </message>
    <message>
        <source>Each point&apos;s worst energy over the bolted currents between its minimum and maximum case; its results those at the worst current where it is above both cases</source>
        <translation>La mayor energía de cada punto en las corrientes de falla franca entre su caso mínimo y su caso máximo; sus resultados son los de la corriente peor si supera ambos casos</translation>
    </message>
    <message>
        <source>The conductors&apos; temperature at the end of the fault, for the minimum case of the cables without their own cable_end_temp</source>
        <translation>La temperatura de los conductores al final de la falla, para el caso mínimo de los cables sin su propio cable_end_temp</translation>
    </message>
    <message>
        <source> °C</source>
        <translation> °C</translation>
    </message>
    <message>
        <source>by convention</source>
        <translation>según la convención</translation>
    </message>
    <message>
        <source>Short circuit</source>
        <translation>Cortocircuito</translation>
    </message>
    <message>
        <source>Row form</source>
        <translation>Formulario de fila</translation>
    </message>
    <message>
        <source>Add point on this &amp;bus</source>
        <translation>Añadir punto en esta &amp;barra</translation>
    </message>
    <message>
        <source>Add &amp;feeder from this bus</source>
        <translation>Añadir a&amp;limentador desde esta barra</translation>
    </message>
    <message>
        <source>&amp;Method and equipment</source>
        <translation>&amp;Método y equipo</translation>
    </message>
    <message>
        <source>&amp;Distances</source>
        <translation>&amp;Distancias</translation>
    </message>
    <message>
        <source>D&amp;urations and device</source>
        <translation>D&amp;uraciones y dispositivo</translation>
    </message>
    <message>
        <source>Your &amp;own columns</source>
        <translation>Columnas &amp;propias</translation>
    </message>
    <message>
        <source>Re&amp;sults</source>
        <translation>Re&amp;sultados</translation>
    </message>
    <message>
        <source>Col&amp;umns</source>
        <translation>C&amp;olumnas</translation>
    </message>
    <message>
        <source>Row &amp;form</source>
        <translation>&amp;Formulario de fila</translation>
    </message>
    <message>
        <source>&amp;One-line diagram</source>
        <translation>Diagrama &amp;unifilar</translation>
    </message>
    <message>
        <source>Fill cells</source>
        <translation>Rellenar celdas</translation>
    </message>
    <message>
        <source>C&amp;lear cells</source>
        <translation>&amp;Vaciar celdas</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>%1 of %2 points shown</source>
        <translation>%1 de %2 puntos mostrados</translation>
    </message>
    <message>
        <source>Clear cells</source>
        <translation>Vaciar celdas</translation>
    </message>
    <message>
        <source>E&amp;xport picture…</source>
        <translation>E&amp;xportar imagen…</translation>
    </message>
    <message>
        <source>The picture as a PNG (1200 × 800 pixels) or SVG file, by the name&apos;s extension</source>
        <translation>La imagen como archivo PNG (1200 × 800 píxeles) o SVG, según la extensión del nombre</translation>
    </message>
    <message>
        <source>%1 selected points</source>
        <translation>%1 puntos seleccionados</translation>
    </message>
    <message>
        <source>%1 has no protective device.</source>
        <translation>%1 no tiene dispositivo de protección.</translation>
    </message>
    <message>
        <source>%1 is refused: %2</source>
        <translation>%1 está rechazado: %2</translation>
    </message>
    <message>
        <source>None of the selected points has a device curve to show.</source>
        <translation>Ninguno de los puntos seleccionados tiene curva de dispositivo que mostrar.</translation>
    </message>
    <message>
        <source>Not drawn:</source>
        <translation>No dibujados:</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>y %1 más.</translation>
    </message>
    <message>
        <source>%1 more of the selected points have a device: the picture takes the first %2.</source>
        <translation>Otros %1 puntos seleccionados tienen dispositivo: la imagen toma los %2 primeros.</translation>
    </message>
    <message>
        <source>Export time-current picture as</source>
        <translation>Exportar la imagen tiempo-corriente como</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;SVG pictures (*.svg)</source>
        <translation>imágenes PNG (*.png);;imágenes SVG (*.svg)</translation>
    </message>
    <message>
        <source>A picture&apos;s name ends in .png or .svg: %1</source>
        <translation>El nombre de una imagen termina en .png o .svg: %1</translation>
    </message>
    <message>
        <source>The picture is not written over its own study: choose another file.</source>
        <translation>La imagen no se escribe sobre su propio estudio: elija otro archivo.</translation>
    </message>
    <message>
        <source>Time-current curves</source>
        <translation>Curvas tiempo-corriente</translation>
    </message>
    <message numerus="yes">
        <source>The calculation was stopped: %n row(s) not computed. Edit, Compute again (F5) computes every row.</source>
        <translation>
            <numerusform>Se detuvo el cálculo: %n fila sin calcular. Edición, Calcular de nuevo (F5) calcula todas las filas.</numerusform>
            <numerusform>Se detuvo el cálculo: %n filas sin calcular. Edición, Calcular de nuevo (F5) calcula todas las filas.</numerusform>
        </translation>
    </message>
    <message>
        <source>C&amp;ompute again</source>
        <translation>Calcular de &amp;nuevo</translation>
    </message>
    <message>
        <source>&amp;Go to the form or the table</source>
        <translation>&amp;Ir al formulario o a la tabla</translation>
    </message>
    <message>
        <source>C&amp;urrents at:</source>
        <translation>Corrientes &amp;a:</translation>
    </message>
    <message>
        <source>The voltage every device&apos;s currents are drawn at: a current on another voltage&apos;s side is shown times that voltage over this one</source>
        <translation>La tensión a la que se dibujan las corrientes de todos los dispositivos: una corriente del lado de otra tensión se muestra multiplicada por esa tensión y dividida por esta</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>the bus differential protection</source>
        <translation>la protección diferencial de barras</translation>
    </message>
    <message>
        <source>The current row names no bus: choose a row on the bus to rename.</source>
        <translation>La fila actual no nombra ninguna barra: elija una fila de la barra que quiere renombrar.</translation>
    </message>
    <message>
        <source>Rename bus</source>
        <translation>Renombrar barra</translation>
    </message>
    <message>
        <source>New name of bus %1, in every row that names it:</source>
        <translation>Nuevo nombre de la barra %1, en todas las filas que la nombran:</translation>
    </message>
    <message>
        <source>No row names bus %1 any more.</source>
        <translation>Ninguna fila nombra ya la barra %1.</translation>
    </message>
    <message>
        <source>A bus needs a name: bus %1 keeps its own.</source>
        <translation>Una barra necesita un nombre: la barra %1 conserva el suyo.</translation>
    </message>
    <message>
        <source>A bus&apos;s name is one line without tabs: bus %1 keeps its own.</source>
        <translation>El nombre de una barra es una sola línea sin tabulaciones: la barra %1 conserva el suyo.</translation>
    </message>
    <message>
        <source>Another bus is already named %1, and two buses of one name would be joined into one: bus %2 keeps its own name.</source>
        <translation>Ya hay otra barra llamada %1, y dos barras con el mismo nombre se unirían en una: la barra %2 conserva su nombre.</translation>
    </message>
    <message>
        <source>Rename bus %1 to %2</source>
        <translation>Renombrar la barra %1 como %2</translation>
    </message>
    <message numerus="yes">
        <source>Bus %1 renamed %2 in %n cell(s).</source>
        <translation>
            <numerusform>Barra %1 renombrada como %2 en %n celda.</numerusform>
            <numerusform>Barra %1 renombrada como %2 en %n celdas.</numerusform>
        </translation>
    </message>
    <message>
        <source>Re&amp;name this bus…</source>
        <translation>Ren&amp;ombrar esta barra…</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TStudyExport</name>
    <message>
        <source>Report of the study</source>
        <translation>Informe del estudio</translation>
    </message>
    <message>
        <source>Labels of the study</source>
        <translation>Etiquetas del estudio</translation>
    </message>
    <message>
        <source>Rows in the report</source>
        <translation>Filas del informe</translation>
    </message>
    <message>
        <source>Rows to label</source>
        <translation>Filas que etiquetar</translation>
    </message>
    <message>
        <source>1 point</source>
        <translation>1 punto</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 puntos</translation>
    </message>
    <message>
        <source>&amp;Whole study (%1)</source>
        <translation>&amp;Todo el estudio (%1)</translation>
    </message>
    <message>
        <source>&amp;Selected rows only (%1)</source>
        <translation>Solo las filas &amp;seleccionadas (%1)</translation>
    </message>
    <message>
        <source>Rows shown by the &amp;filter (%1)</source>
        <translation>Filas que muestra el &amp;filtro (%1)</translation>
    </message>
    <message>
        <source>Title block (lines left empty are not printed)</source>
        <translation>Cuadro de título (las líneas vacías no se imprimen)</translation>
    </message>
    <message>
        <source>&amp;Project:</source>
        <translation>&amp;Proyecto:</translation>
    </message>
    <message>
        <source>&amp;Client:</source>
        <translation>&amp;Cliente:</translation>
    </message>
    <message>
        <source>Prepared &amp;by:</source>
        <translation>&amp;Elaborado por:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>C&amp;ancel</source>
        <translation>Ca&amp;ncelar</translation>
    </message>
    <message>
        <source>Assessment</source>
        <translation>Evaluación</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etiquetas</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Clásica</translation>
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
        <translation>6 × 4 pulg.</translation>
    </message>
    <message>
        <source>4 × 4 in</source>
        <translation>4 × 4 pulg.</translation>
    </message>
    <message>
        <source>5 × 3.5 in</source>
        <translation>5 × 3,5 pulg.</translation>
    </message>
    <message>
        <source>DANGER above 600 V as well (DANGER above 40 cal/cm² always)</source>
        <translation>PELIGRO también por encima de 600 V (PELIGRO por encima de 40 cal/cm² siempre)</translation>
    </message>
    <message>
        <source>S&amp;tandard:</source>
        <translation>Nor&amp;ma:</translation>
    </message>
    <message>
        <source>Page si&amp;ze:</source>
        <translation>Tamañ&amp;o:</translation>
    </message>
    <message>
        <source>Assessment &amp;date:</source>
        <translation>Fec&amp;ha de la evaluación:</translation>
    </message>
    <message>
        <source>Name, licence</source>
        <translation>Nombre, licencia</translation>
    </message>
    <message>
        <source>&amp;Engineer:</source>
        <translation>&amp;Ingeniero:</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Español</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Français</source>
        <translation>Francés</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Idioma:</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TThird</name>
    <message>
        <source>ZENTAVO: results</source>
        <translation>ZENTAVO: resultados</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Save results</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Create &amp;label</source>
        <translation>&amp;Etiquetar</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Tabout</name>
    <message>
        <source>About Zentavo</source>
        <translation>Acerca de Zentavo</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Arc flash hazard calculator after IEEE 1584-2002 and IEEE 1584-2018: arcing current, incident energy, flash protection boundary, PPE level and shock approach boundaries, for one point of work or a whole study.

IEEE 1584-2002, on the main window&apos;s tabs: the empirical model from 208 V to 46 kV (the theoretically derived equations from 15 kV), current-limiting fuses and low-voltage circuit breakers. IEEE 1584-2018, in Options, IEEE 1584-2018 model: 208 V to 15 kV. Studies of many points of either edition: File, New study.

Supported systems: Linux desktops with Qt 6 (X11 and Wayland).

The results support, and do not replace, the judgement of a qualified person. Verify every input against the installation before work begins; the authors accept no liability for decisions made with this program.

Copyright © 2026 the Zentavo authors.
Zentavo is free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation>Calculadora del riesgo de arco eléctrico según IEEE 1584-2002 e IEEE 1584-2018: corriente de arco, energía incidente, frontera de arco eléctrico, nivel de EPP y fronteras de aproximación por choque eléctrico, para un punto de trabajo o un estudio completo.

IEEE 1584-2002, en las pestañas de la ventana principal: el modelo empírico de 208 V a 46 kV (las ecuaciones de derivación teórica desde 15 kV), fusibles limitadores de corriente e interruptores de baja tensión. IEEE 1584-2018, en Opciones, Modelo IEEE 1584-2018: de 208 V a 15 kV. Estudios de muchos puntos de cualquiera de las dos ediciones: Archivo, Nuevo estudio.

Sistemas admitidos: escritorios Linux con Qt 6 (X11 y Wayland).

Los resultados apoyan, y no sustituyen, el criterio de una persona calificada. Verifique cada dato con la instalación antes de comenzar el trabajo; los autores no aceptan responsabilidad por las decisiones tomadas con este programa.

Copyright © 2026 los autores de Zentavo.
Zentavo es software libre bajo la Licencia Pública General de GNU, versión 3 o posterior. Se ofrece sin ninguna garantía.</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::TimeCurrentView</name>
    <message>
        <source>Time-current curve of the protective device</source>
        <translation>Curva tiempo-corriente del dispositivo de protección</translation>
    </message>
    <message>
        <source>Current (A)</source>
        <translation>Corriente (A)</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>Tiempo (s)</translation>
    </message>
    <message>
        <source>Current (A) at %1 V</source>
        <translation>Corriente (A) a %1 V</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Tmain</name>
    <message>
        <source>Equipment bus gap in mm. Gaps of 3 to 40 mm were used for low voltage testing to simulate gaps between conductors in low voltage equipment and cables. Gaps 13, 104 and 152 mm. were used in 5 and 15kV equipment testings. </source>
        <translation>Separación entre barras del equipo en mm. En los ensayos de baja tensión se usaron separaciones de 3 a 40 mm para simular las separaciones entre conductores de equipos y cables de baja tensión. En los ensayos de equipos de 5 y 15 kV se usaron separaciones de 13, 104 y 152 mm. </translation>
    </message>
    <message>
        <source>Typical working distance is the sum of the distance between the worker standing in front of the equipment, and from the front of the equipment to the potential arc source inside the equipment (300 to 1000 mm). </source>
        <translation>La distancia de trabajo típica es la suma de la distancia entre el trabajador de pie frente al equipo y la distancia desde el frente del equipo hasta la posible fuente del arco en su interior (300 a 1000 mm). </translation>
    </message>
    <message>
        <source>Available 3 phase bolted fault current for the range of 700A to 106kA at the point where work is to be performed in kA. </source>
        <translation>Corriente de falla franca trifásica disponible, de 700 A a 106 kA, en el punto donde se realizará el trabajo, en kA. </translation>
    </message>
    <message>
        <source>Line to line voltage - minimum 208 V, maximum 46000 V</source>
        <translation>Tensión entre fases: mínimo 208 V, máximo 46000 V</translation>
    </message>
    <message>
        <source>Line to line voltage - minimum 208 V, maximum 15000 V</source>
        <translation>Tensión entre fases: mínimo 208 V, máximo 15000 V</translation>
    </message>
    <message>
        <source>Active model:</source>
        <translation>Modelo activo:</translation>
    </message>
    <message>
        <source>IEEE 1584 Empirical Model</source>
        <translation>Modelo empírico IEEE 1584</translation>
    </message>
    <message>
        <source>IEEE1584 Empirical Model</source>
        <translation>Modelo empírico IEEE1584</translation>
    </message>
    <message>
        <source>IEEE1584 Fuse Equations</source>
        <translation>Ecuaciones de fusibles IEEE1584</translation>
    </message>
    <message>
        <source>Low Voltage Circuit Breakers</source>
        <translation>Interruptores de baja tensión</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>&amp;New study</source>
        <translation>&amp;Nuevo estudio</translation>
    </message>
    <message>
        <source>Open s&amp;tudy…</source>
        <translation>Abrir es&amp;tudio…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>&amp;Label format</source>
        <translation>Formato de &amp;etiqueta</translation>
    </message>
    <message>
        <source>&amp;Units</source>
        <translation>&amp;Unidades</translation>
    </message>
    <message>
        <source>&amp;IEEE 1584-2018 model</source>
        <translation>Modelo &amp;IEEE 1584-2018</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Contenido (en inglés)</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Acerca &amp;de...</translation>
    </message>
    <message>
        <source>Equipment Class</source>
        <translation>Clase de equipo</translation>
    </message>
    <message>
        <source>Please select a class</source>
        <translation>Elija una clase</translation>
    </message>
    <message>
        <source>Gap between Conductors</source>
        <translation>Separación entre conductores</translation>
    </message>
    <message>
        <source>Grounding type</source>
        <translation>Tipo de puesta a tierra</translation>
    </message>
    <message>
        <source>Working Distance</source>
        <translation>Distancia de trabajo</translation>
    </message>
    <message>
        <source>Available 3 Phase Bolted Current</source>
        <translation>Corriente de falla franca 3F</translation>
    </message>
    <message>
        <source>kAmperes</source>
        <translation>kAmperios</translation>
    </message>
    <message>
        <source>System Voltage</source>
        <translation>Tensión del sistema</translation>
    </message>
    <message>
        <source>Volts</source>
        <translation>Voltios</translation>
    </message>
    <message>
        <source>Current Limiting Fuses</source>
        <translation>Fusibles limitadores de corriente</translation>
    </message>
    <message>
        <source>Current limiting Class L and Class RK1 fuses</source>
        <translation>Fusibles limitadores de corriente clase L y clase RK1</translation>
    </message>
    <message>
        <source>Show pressure developed by arc*</source>
        <translation>Mostrar presión del arco*</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Equipment Class (Grounded only)</source>
        <translation>Clase de equipo (solo aterrizado)</translation>
    </message>
    <message>
        <source>Breaker Type</source>
        <translation>Tipo de interruptor</translation>
    </message>
    <message>
        <source>Breaker Interrupting Rating</source>
        <translation>Capacidad interruptiva</translation>
    </message>
    <message>
        <source>Breaker Instantaneous Trip</source>
        <translation>Disparo instantáneo</translation>
    </message>
    <message>
        <source>“%1” is not a length unit.</source>
        <translation>“%1” no es una unidad de longitud.</translation>
    </message>
    <message>
        <source>&amp;DC arc flash</source>
        <translation>Arco eléctrico en &amp;CC</translation>
    </message>
</context>
<context>
    <name>zentavo::ui::Widgets</name>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
</context>
</TS>

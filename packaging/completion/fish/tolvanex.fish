# fish completion for tolvanex: its options only, it takes no operands
complete -c tolvanex -f
complete -c tolvanex -s h -l help -d 'Show the help and exit'
complete -c tolvanex -l version -d 'Show the version and exit'
complete -c tolvanex -l settings -r -F -d 'Use the settings in FILE'
complete -c tolvanex -l process-and-exit -d 'Press Process once the window is up, and close it after the run'
